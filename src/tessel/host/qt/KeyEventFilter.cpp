#include "tessel/host/qt/KeyEventFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

#include "tessel/host/KeyboardHook.h"
#include "tessel/host/VirtualKeys.h"

namespace Tessel {
namespace {

QPointer<KeyEventFilter>& Installed() {
  static QPointer<KeyEventFilter> filter;
  return filter;
}

void Install(bool install) {
  QCoreApplication* app = QCoreApplication::instance();
  if (install && app != nullptr && !Installed()) {
    Installed() = new KeyEventFilter();
    Installed()->setParent(app);
    app->installEventFilter(Installed());
  } else if (!install && Installed()) {
    delete Installed().data();
  }
}

}  // namespace

void KeyEventFilter::Connect() {
  KeyboardHook::SetInstaller(Install);
}

bool KeyEventFilter::eventFilter(QObject* watched, QEvent* event) {
  // A key event reaches the window first and is then passed to widgets and their parents; the
  // hook sees it once, at the window, as a system-wide hook sees each key stroke once.
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      watched->isWindowType()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers held = key->modifiers();
    KeyModifiers modifiers;
    modifiers.shift = held.testFlag(Qt::ShiftModifier);
    modifiers.control = held.testFlag(Qt::ControlModifier);
    modifiers.alt = held.testFlag(Qt::AltModifier);
    KeyboardHook::HandleKey(0, VirtualKeyOf(key->key()),
                            KeyDataOf(key->isAutoRepeat(), event->type() == QEvent::KeyRelease),
                            modifiers);
  }
  return false;
}

}  // namespace Tessel
