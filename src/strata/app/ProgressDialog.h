#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "strata/recording/ProgressIndicator.h"

namespace Strata {

// The progress window of the host's progress indicator: modal while the module works, its title
// the session's, the percentage the module reports, and a Stop button the module polls.
class ProgressDialog : public QDialog {
  Q_OBJECT

 public:
  // Observes indicator until destroyed.
  ProgressDialog(ProgressIndicator& indicator, QWidget* parent);
  ~ProgressDialog() override;

  QPushButton* StopButton() const { return stop_; }
  QLabel* Text() const { return text_; }

 protected:
  // Closing the window asks to stop, as the Stop button does; the module ends the session.
  void reject() override { indicator_.PressStop(); }

 private:
  ProgressIndicator& indicator_;
  QLabel* text_;
  QProgressBar* bar_;
  QPushButton* stop_;
};

}  // namespace Strata
