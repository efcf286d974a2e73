#pragma once

#include <QDialog>
#include <QLabel>
#include <QRect>
#include <optional>
#include <vector>

#include "tessel/views/Balloon.h"
#include "tessel/views/DialogLayout.h"

namespace Tessel {

// The font a dialog template is drawn in: its face where installed, else the system's
// substitute, at its point size.
QFont DialogFont(const DialogTemplate& dialog);

// The base units of a dialog font: the average width of the letters A to Z and a to z, and the
// height of a character cell, measured as the dialog designer measured them.
Kor::DialogFontUnits DialogUnitsOf(const QFont& font);

QRect ToPixels(const Kor::DialogRect& rect, const Kor::DialogFontUnits& units);

// Makes a dialog of a template: its title and font, a fixed size, and one widget for each control
// in creation (and tab) order, placed at its rectangle, named by its identifier. Returns the
// widgets in template order.
std::vector<QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& t);

// The widget made for the control with this identifier; null when there is none.
template <class W>
W* ControlOf(const DialogTemplate& t, const std::vector<QWidget*>& widgets, std::int32_t id) {
  for (size_t i = 0; i < t.controls.size(); ++i) {
    if (t.controls[i].id == id) {
      return qobject_cast<W*>(widgets[i]);
    }
  }
  return nullptr;
}

// The small bitmap beside a field that is invalid.
QPixmap ErrorMarkerPixmap(QSize size);

// A balloon tip: a title and a text in a frame of its own beside the field it is about, shown
// until the field changes. A window of its own, so that it may reach past its dialog's edge.
class BalloonTip : public QLabel {
 public:
  explicit BalloonTip(QWidget* owner);

  // Shows the balloon under anchor; with none, hides it.
  void ShowFor(QWidget* anchor, const std::optional<Balloon>& balloon);
  const std::optional<Balloon>& Shown() const { return shown_; }

 private:
  std::optional<Balloon> shown_;
};

}  // namespace Tessel
