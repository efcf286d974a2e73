#pragma once

#include "tessel/host/Status.h"

namespace Tessel {

enum class ViewKind { kTable = 0, kAnalysis = 1, kResults = 2 };

// A window showing a Document. The Document keeps one slot per kind and tells open views when
// to redraw; the views implement this in their Qt layer (or in tests).
class IDocumentView {
 public:
  virtual ~IDocumentView() = default;

  virtual ViewKind Kind() const = 0;
  // Marks the window for repainting.
  virtual void Invalidate() = 0;
  // Re-reads everything it shows from the Document.
  virtual void Refresh() = 0;
  // Analysis View: the measured range to show; both limits 2147483647.0 show none.
  virtual void ShowRange(double /*from*/, double /*to*/) {}
  // Table View: Mark Dose and Add Response from its current cell.
  virtual Status MarkDose() { return kFalse; }
  virtual Status AddResponse() { return kFalse; }
  // Table View: the Chart View's selection moved, so its buttons and balloon follow.
  virtual void SelectionChanged() {}
};

}  // namespace Tessel
