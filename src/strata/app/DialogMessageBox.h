#pragma once

#include <QPointer>
#include <QWidget>

#include "tessel/host/IMessageBox.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The desktop's message boxes: a modal QMessageBox with the caller's caption, icon, buttons and
// text, over the main window.
class DialogMessageBox : public Tessel::RefCounted<Tessel::IMessageBox> {
 public:
  explicit DialogMessageBox(QWidget* parent) : parent_(parent) {}
  Tessel::MessageAnswer Show(const std::string& text, const std::string& caption,
                             Tessel::MessageIcon icon, Tessel::MessageButtons buttons) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace Strata
