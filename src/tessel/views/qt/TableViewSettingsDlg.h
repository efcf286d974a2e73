#pragma once

#include <QDialog>

#include "tessel/views/TableViewSettingsDlgModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace Tessel {

class BalloonTip;

// The "Tessel Settings" dialog: laid out from its template, it shows what its model holds and
// hands every change, OK and Help to it.
class TableViewSettingsDlg : public QDialog {
 public:
  TableViewSettingsDlg(TableViewSettingsDlgModel& model, QWidget* parent);
  ~TableViewSettingsDlg() override;

  // The Settings command's dialog: modal over the active window; true when OK closed it.
  static bool Run(TableViewSettingsDlgModel& model);

  QLineEdit* SigFigsField() const { return sigFigs_; }
  QLabel* Marker() const { return marker_; }
  BalloonTip* Balloon() const { return balloon_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void Connect();
  // The marker and its balloon, the per-dose box and the figures as the model has them now.
  void Show();

  TableViewSettingsDlgModel& model_;
  QComboBox* method_ = nullptr;
  QLineEdit* sigFigs_ = nullptr;
  QWidget* spin_ = nullptr;
  QLabel* marker_ = nullptr;
  QCheckBox* scientific_ = nullptr;
  QCheckBox* perDose_ = nullptr;
  QRadioButton* down_ = nullptr;
  QRadioButton* across_ = nullptr;
  BalloonTip* balloon_ = nullptr;
};

}  // namespace Tessel
