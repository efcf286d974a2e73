#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <string>

#include "strata/chart/ChannelScales.h"

namespace Strata {

// Asks for the top and bottom of a channel's vertical scale, or for the automatic scale. The
// check decides whether a pair of values can be used and says why not; the dialog stays open
// with that reason until the values are usable.
class ScaleDialog : public QDialog {
  Q_OBJECT

 public:
  ScaleDialog(const QString& channel, const ValueRange& shown, QWidget* parent = nullptr);

  void SetCheck(std::function<std::string(double, double)> check) { check_ = std::move(check); }
  bool Automatic() const { return automatic_->isChecked(); }
  QLineEdit& Top() { return *top_; }
  QLineEdit& Bottom() { return *bottom_; }
  QString Problem() const { return problem_->text(); }

  void accept() override;

 private:
  QLineEdit* top_;
  QLineEdit* bottom_;
  QCheckBox* automatic_;
  QLabel* problem_;
  std::function<std::string(double, double)> check_;
};

}  // namespace Strata
