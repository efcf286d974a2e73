#pragma once

#include <QString>

#include "tessel/host/IPrintService.h"
#include "tessel/host/RefCounted.h"

class QWidget;

namespace Strata {

// Printing through the system's print dialog. Without a screen (the offscreen platform of the
// tests and the screenshots) no one can answer a dialog: the job goes to a PDF file instead.
class DialogPrintService : public Tessel::RefCounted<Tessel::IPrintService> {
 public:
  explicit DialogPrintService(QWidget* parent) : parent_(parent) {}
  Tessel::Status PrintText(const std::string& title, const std::string& text) override;
  // Where jobs go without a screen; empty for the system's temporary folder.
  void SetPdfFolder(const QString& folder) { pdfFolder_ = folder; }
  const QString& LastPdf() const { return lastPdf_; }

 private:
  QWidget* parent_;
  QString pdfFolder_;
  QString lastPdf_;
};

}  // namespace Strata
