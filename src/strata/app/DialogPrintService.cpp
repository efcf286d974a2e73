#include "strata/app/DialogPrintService.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace Strata {

Tessel::Status DialogPrintService::PrintText(const std::string& title, const std::string& text) {
  QPrinter printer(QPrinter::HighResolution);
  const QString name = QString::fromStdString(title.empty() ? "Strata" : title);
  printer.setDocName(name);
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
    const QDir folder(pdfFolder_.isEmpty() ? QDir::tempPath() : pdfFolder_);
    lastPdf_ = folder.filePath(name + QStringLiteral(".pdf"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(lastPdf_);
  } else {
    QPrintDialog dialog(&printer, parent_);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted) {
      return Tessel::kFalse;
    }
  }
  QTextDocument document;
  document.setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QString body;
  if (!title.empty()) {
    body = QStringLiteral("<h3>%1</h3>").arg(name.toHtmlEscaped());
  }
  body += QStringLiteral("<pre>%1</pre>").arg(QString::fromStdString(text).toHtmlEscaped());
  document.setHtml(body);
  document.print(&printer);
  return printer.printerState() == QPrinter::Error ? Tessel::kFail : Tessel::kOk;
}

}  // namespace Strata
