#pragma once

#include <string>
#include <vector>

#include "tessel/document/TableViewMatrix.h"

namespace Testing {

// A matrix as the Table View leaves it: runs named from column B on (repeats labelled), doses
// typed from the first dose row on with the prompt for the next dose after them, and responses
// as Add Response writes them. Built in a matrix of its own, or in a Document's.
class Table {
 public:
  Table(const std::vector<std::string>& labels, const std::vector<std::string>& doses,
        Tessel::TableViewMatrix* into = nullptr)
      : own_(Tessel::MakeRef<Tessel::TableViewMatrix>(nullptr)), m_(into ? *into : *own_) {
    using namespace Tessel;
    for (size_t i = 1; i < labels.size(); ++i) {
      m_.InsertColumn(m_.ColumnCount(), m_.NewRunColumn(m_.ColumnCount()));
    }
    for (size_t i = 0; i < labels.size(); ++i) {
      TableViewElem& cell = m_.Cell(kRowLabel, kFirstRunColumn + static_cast<std::uint32_t>(i));
      cell.text = labels[i];
      cell.commentText = labels[i];
      cell.flags &= ~kCellPrompt;
    }
    m_.UpdateRepeatLabels();
    for (size_t r = 0; r < doses.size(); ++r) {
      const std::uint32_t row = kFirstDoseRow + static_cast<std::uint32_t>(r);
      while (m_.RowCount() <= row + 1) {
        m_.AppendRow();
      }
      Tessel::TableViewElem& dose = m_.Cell(row, kDoseColumn);
      dose.text = doses[r];
      dose.flags &= ~kCellPrompt;
    }
  }
  // A measured response: its text as the number format wrote it, and the response-added flag.
  Table& Response(std::uint32_t doseIndex, std::uint32_t column, const std::string& text) {
    Tessel::TableViewElem& cell = m_.Cell(Tessel::kFirstDoseRow + doseIndex, column);
    cell.text = text;
    cell.responseAdded = true;
    return *this;
  }
  // The channel a run is measured on.
  Table& Channel(std::uint32_t column, std::int32_t channel) {
    m_.Cell(Tessel::kRowChannel, column).text = std::to_string(channel);
    m_.Cell(Tessel::kRowChannel, column).flags = Tessel::kFlagsRunChannelSet;
    return *this;
  }
  Tessel::TableViewMatrix& Matrix() { return m_; }

 private:
  Tessel::Ref<Tessel::TableViewMatrix> own_;
  Tessel::TableViewMatrix& m_;
};

}  // namespace Testing
