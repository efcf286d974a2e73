#include "tessel/views/ExportCommands.h"

#include "tessel/document/Document.h"
#include "tessel/export/ExportPath.h"
#include "tessel/export/PrismXmlWriter.h"
#include "tessel/export/TableTextWriter.h"
#include "tessel/host/IProgressIndicator.h"
#include "tessel/support/Strings.h"
#include "tessel/views/TableViewCells.h"

namespace Tessel {
namespace {

SaveFileRequest Request(SaveDialogOwner owner, const char* title, const char* filter,
                        const char* extension, std::string folder, std::size_t buffer) {
  SaveFileRequest r;
  r.owner = owner;
  r.title = title;
  r.filters = ParseFileFilters(filter);
  r.defaultExtension = extension;
  r.initialFolder = std::move(folder);
  r.nameBuffer = buffer;
  return r;
}

// The name the dialog hands back, or none when it was cancelled or the name does not fit the
// dialog's buffer (the dialog then fails as if cancelled).
std::optional<std::string> ChooseFile(ISaveFileChooser& chooser, const SaveFileRequest& request) {
  const std::optional<std::string> chosen = chooser.ChooseSaveFile(request);
  if (!chosen || chosen->empty()) {
    return std::nullopt;
  }
  std::string name = DialogDefaultExtension(*chosen, request.defaultExtension);
  if (Kor::ToUtf16(name).size() >= request.nameBuffer) {
    return std::nullopt;
  }
  return name;
}

bool WriteText(Document& doc, std::int64_t& lastPercent, const std::string& path,
               const char* progressTitle) {
  Ref<TableViewData> data = MakeRef<TableViewData>(doc);
  const TableViewCells cells(*data);
  TableTextWriter writer(cells);
  writer.SetLastPercent(lastPercent);
  Ref<IProgressIndicator> progress = QueryService<IProgressIndicator>(doc.Parent());
  const bool written = writer.WriteFile(path, progressTitle, progress.get());
  lastPercent = writer.LastPercent();
  return written;
}

void ReportCannotWrite(Document& doc) {
  doc.ShowMessage(kMsgCannotWrite, MessageIcon::kError, MessageButtons::kOkOnly);
}

}  // namespace

std::vector<FileFilter> ParseFileFilters(std::string_view filter) {
  std::vector<std::string> parts;
  for (size_t at = filter.find('_'); at != std::string_view::npos; at = filter.find('_')) {
    parts.emplace_back(filter.substr(0, at));
    filter.remove_prefix(at + 1);
  }
  std::vector<FileFilter> filters;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    filters.push_back(FileFilter{parts[i], parts[i + 1]});
  }
  return filters;
}

std::string DialogDefaultExtension(std::string_view path, std::string_view extension) {
  const size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::string out(path);
  if (name.find('.') == std::string_view::npos && !extension.empty()) {
    out += "." + std::string(extension);
  }
  return out;
}

bool ExportToXml(Document& doc, ISaveFileChooser& chooser,
                 const std::optional<std::string>& documentsFolder) {
  if (!documentsFolder) {
    return true;
  }
  const SaveFileRequest request =
      Request(SaveDialogOwner::kMainWindow, kXmlSaveTitle, kXmlFileFilter, "xml", *documentsFolder,
              kDocumentNameBuffer);
  const std::optional<std::string> chosen = ChooseFile(chooser, request);
  if (!chosen) {
    return true;
  }
  Ref<TableViewData> data = MakeRef<TableViewData>(doc);
  if (!WritePrismXml(TableViewCells(*data), WithDefaultExtension(*chosen, "xml"))) {
    ReportCannotWrite(doc);
    return false;
  }
  return true;
}

bool ExportTableViewText(Document& doc, ISaveFileChooser& chooser,
                         const std::optional<std::string>& documentsFolder) {
  if (!documentsFolder) {
    return false;
  }
  SaveFileRequest request = Request(SaveDialogOwner::kTableView, kTextSaveTitle, kTextFileFilter,
                                    "txt", *documentsFolder, kTableViewNameBuffer);
  request.filterIndex = 1;
  // Here the dialog alone adds the extension, and only to a name typed without one.
  const std::optional<std::string> chosen = ChooseFile(chooser, request);
  return !chosen || WriteText(doc, doc.TableViewExportPercent(), *chosen, kProgressExportTable);
}

bool ExportDocumentText(Document& doc, ISaveFileChooser& chooser,
                        const std::optional<std::string>& documentsFolder) {
  if (!documentsFolder) {
    return true;
  }
  const SaveFileRequest request =
      Request(SaveDialogOwner::kMainWindow, kTextSaveTitle, kTextFileFilter, "txt",
              *documentsFolder, kDocumentNameBuffer);
  const std::optional<std::string> chosen = ChooseFile(chooser, request);
  return !chosen || WriteText(doc, doc.DocumentExportPercent(),
                              WithDefaultExtension(*chosen, "txt"), kProgressExportingTableView);
}

bool ExportToText(Document& doc, ISaveFileChooser& chooser,
                  const std::optional<std::string>& documentsFolder) {
  const bool written = doc.ViewOpen(ViewKind::kTable)
                           ? ExportTableViewText(doc, chooser, documentsFolder)
                           : ExportDocumentText(doc, chooser, documentsFolder);
  if (!written) {
    ReportCannotWrite(doc);
  }
  return written;
}

}  // namespace Tessel
