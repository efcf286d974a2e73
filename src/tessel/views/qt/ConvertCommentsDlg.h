#pragma once

#include <QDialog>

#include "tessel/views/ConvertCommentsDialogModel.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace Tessel {

// The "Convert Comments" dialog: laid out from its template, it shows the model's two parallel
// lists and hands the channels, the fields, Add >>, Remove, Convert, Cancel and Help to it.
class ConvertCommentsDlg : public QDialog {
 public:
  ConvertCommentsDlg(ConvertCommentsDialogModel& model, QWidget* parent);

  // The command's dialog: modal over the active window.
  static void Run(ConvertCommentsDialogModel& model);

 public:
  // Cancel, Escape and the close button: the model asks first when something would be lost.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Connect();
  // Both lists as the model has them, keeping the selected lines.
  void ShowLists();
  // The selected lines, the same in both lists.
  std::vector<std::int32_t> SelectedLines() const;
  void Select(QListWidget* from);

  ConvertCommentsDialogModel& model_;
  QComboBox* search_ = nullptr;
  QComboBox* output_ = nullptr;
  QLineEdit* label_ = nullptr;
  QLineEdit* dose_ = nullptr;
  QListWidget* left_ = nullptr;
  QListWidget* right_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  bool selecting_ = false;
};

}  // namespace Tessel
