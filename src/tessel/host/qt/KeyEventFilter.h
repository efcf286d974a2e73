#pragma once

#include <QObject>

namespace Tessel {

// The keyboard hook in a Qt program: an application-wide event filter that hands every key
// event, as the window system delivers it, to the hook logic, and always lets it go on.
class KeyEventFilter : public QObject {
  Q_OBJECT

 public:
  // Lets Documents install and remove the filter on the running application as they come and
  // go (nothing happens while there is no application object, as in the tessel command).
  static void Connect();

  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace Tessel
