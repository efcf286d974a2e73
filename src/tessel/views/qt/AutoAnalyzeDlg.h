#pragma once

#include <QDialog>

#include "tessel/views/AutoAnalyzeDialogModel.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace Tessel {

class BalloonTip;

// The "Auto-Analyze Selection" dialog: laid out from its template, it shows what its model found
// and checked, and hands the channel, the offsets, Analyze and Help to it.
class AutoAnalyzeDlg : public QDialog {
 public:
  AutoAnalyzeDlg(AutoAnalyzeDialogModel& model, QWidget* parent);

  // The command's dialog: modal over the active window.
  static void Run(AutoAnalyzeDialogModel& model);

  QLineEdit* Field(OffsetField field) const {
    return field == OffsetField::kStart ? start_ : stop_;
  }
  QLabel* Marker(OffsetField field) const {
    return field == OffsetField::kStart ? startMarker_ : stopMarker_;
  }
  BalloonTip* Balloon() const { return balloon_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Connect();
  // The found count, the column and the marker and balloon of none found.
  void ShowFound();
  // A check's marker and balloon beside its field; none clears both fields' markers.
  void ShowCheck(const std::optional<OffsetCheck>& check);
  void Analyze();

  AutoAnalyzeDialogModel& model_;
  QComboBox* channel_ = nullptr;
  QLineEdit* column_ = nullptr;
  QLabel* found_ = nullptr;
  QLabel* foundMarker_ = nullptr;
  QLineEdit* start_ = nullptr;
  QLineEdit* stop_ = nullptr;
  QLabel* startMarker_ = nullptr;
  QLabel* stopMarker_ = nullptr;
  BalloonTip* balloon_ = nullptr;
  bool analyzing_ = false;
};

}  // namespace Tessel
