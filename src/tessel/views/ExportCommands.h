#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Tessel {

class Document;

inline constexpr const char* kXmlFileFilter = "Prism 5 XML File (*.xml)_*.xml_";
inline constexpr const char* kTextFileFilter = "Tessel Table View Text File (*.txt)_*.txt_";
inline constexpr const char* kXmlSaveTitle = "Export Tessel Table as XML";
inline constexpr const char* kTextSaveTitle = "Export Tessel Table as Text";

// The file-name buffers of the two save dialogs, in characters with the terminating null: the
// Table View's export has a shorter one than the document's exports.
inline constexpr std::size_t kTableViewNameBuffer = 256;
inline constexpr std::size_t kDocumentNameBuffer = 260;

// The window a save dialog belongs to.
enum class SaveDialogOwner { kMainWindow, kTableView };

// One entry of a save dialog's type list.
struct FileFilter {
  std::string text;     // "Prism 5 XML File (*.xml)"
  std::string pattern;  // "*.xml"

  bool operator==(const FileFilter&) const = default;
};

// A filter written as display text and pattern pairs, each followed by "_".
std::vector<FileFilter> ParseFileFilters(std::string_view filter);

// What a save dialog shows: explorer style, asking before it overwrites an existing file, no
// read-only box.
struct SaveFileRequest {
  SaveDialogOwner owner = SaveDialogOwner::kMainWindow;
  std::string title;
  std::vector<FileFilter> filters;
  std::int32_t filterIndex = 0;  // from 1; 0 leaves the first selected
  std::string defaultExtension;  // without the point
  std::string initialFolder;     // the user's documents folder
  std::size_t nameBuffer = kDocumentNameBuffer;
  bool overwritePrompt = true;
  bool hideReadOnly = true;
};

// The save-file dialog: the Qt layer shows one, a test answers from a script.
class ISaveFileChooser {
 public:
  virtual ~ISaveFileChooser() = default;
  // The path the user chose, as typed; none when cancelled.
  virtual std::optional<std::string> ChooseSaveFile(const SaveFileRequest& request) = 0;
};

// The file name a save dialog returns: with the default extension added when the name has none
// ("data" becomes "data.txt", "data.bak" stays).
std::string DialogDefaultExtension(std::string_view path, std::string_view extension);

// Export to XML: the save dialog from the documents folder (none when it could not be found:
// the command ends silently), ".xml" added when missing, the Prism file written; a file that
// cannot be written is reported. False when that message was shown.
bool ExportToXml(Document& doc, ISaveFileChooser& chooser,
                 const std::optional<std::string>& documentsFolder);

// Export to Text: the Table View's export when the document's Table View is open, else the
// document's; a failure of either is reported. False when that message was shown.
bool ExportToText(Document& doc, ISaveFileChooser& chooser,
                  const std::optional<std::string>& documentsFolder);

// The Table View's export (also its "Export..." button): fails without a documents folder or
// when the file cannot be written; a cancelled dialog succeeds.
bool ExportTableViewText(Document& doc, ISaveFileChooser& chooser,
                         const std::optional<std::string>& documentsFolder);

// The document's export: ends silently without a documents folder or on cancel; fails only when
// the file cannot be written.
bool ExportDocumentText(Document& doc, ISaveFileChooser& chooser,
                        const std::optional<std::string>& documentsFolder);

}  // namespace Tessel
