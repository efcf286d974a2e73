#include "strata/app/DesktopClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace Strata {

Tessel::Status DesktopClipboard::SetText(const std::string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) {
    return Tessel::kFail;
  }
  const QString wanted = QString::fromStdString(text);
  clipboard->setText(wanted);
  // The clipboard gives no answer of its own: it took the text only if it now holds it.
  return clipboard->text() == wanted ? Tessel::kOk : Tessel::kFail;
}

}  // namespace Strata
