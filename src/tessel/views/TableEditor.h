#pragma once

#include <cstdint>
#include <string>

namespace Tessel {

class Document;

// Commits the text the user typed into a cell of the Table View: doses (normalised, with the row's
// dose comments rewritten), run labels (with the column's comments and repeat marks), run
// channels, and responses. A change that would touch the recording asks first; No keeps the
// table and the recording as they were.
class TableEditor {
 public:
  // confirm: ask the row and column questions (off inside a multi-range delete).
  TableEditor(Document& doc, bool confirm) : doc_(doc), confirm_(confirm) {}

  void Commit(std::uint32_t row, std::uint32_t column, const std::string& text);

  // A typed dose as the table keeps it: read as a real number (0 when it cannot be read) and
  // written back with six significant digits, so 0.10 is kept as 0.1 and 1e-3 as 0.001.
  static std::string NormaliseDose(const std::string& text, double* value);
  static bool IsReservedWord(const std::string& text);

 private:
  bool Ask(const char* text) const;
  void CommitDose(std::uint32_t row, const std::string& text);
  void CommitLabel(std::uint32_t column, const std::string& text);
  void CommitChannel(std::uint32_t column, const std::string& text);
  void CommitResponse(std::uint32_t row, std::uint32_t column, const std::string& text);
  void Changed();

  Document& doc_;
  bool confirm_;
};

}  // namespace Tessel
