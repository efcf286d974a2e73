#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tessel/document/TableViewMatrix.h"
#include "tessel/host/IChartComment.h"

namespace Tessel {

class Document;

// The text and channel a marked cell's comment carries, built as Mark Dose writes them. A run on
// every channel writes one comment carrying -1, whatever channel each of its cells was measured
// on afterwards.
std::string ExpectedCommentText(const TableViewMatrix& m, std::uint32_t row, std::uint32_t column);
std::int32_t ExpectedCommentChannel(const TableViewMatrix& m, std::uint32_t row,
                                    std::uint32_t column);
// Whether the comment, read with this text, is the one written for the marked cell: the same
// place, the same channel, the same text. Every search that ties comments to cells asks this.
bool CommentMatchesCell(const TableViewMatrix& m, const CommentInfo& comment,
                        const std::string& text, std::uint32_t row, std::uint32_t column);

inline constexpr const char* kMsgDoseCommentChanged =
    "A dose comment has been changed.\n\nThe Table View has been updated.";

// Keeps the dose comments in the recording and the marked cells of the table in step: rewrites
// comments when doses or run labels change, deletes a cell's comment with the cell, and clears a
// cell whose comment the user changed or deleted in the Chart View.
class CommentKeeper {
 public:
  explicit CommentKeeper(Document& doc) : doc_(doc) {}

  // The cell's dose comment in the recording, when it is still there.
  std::optional<CommentInfo> FindCellComment(std::uint32_t row, std::uint32_t column) const;

  // Rewrites the comments of every marked cell of a row for its new dose text.
  void UpdateRowComments(std::uint32_t row, const std::string& newDoseText);
  // Rewrites the comments of every marked cell of a run column for its new label.
  void UpdateColumnComments(std::uint32_t column, const std::string& newLabel);
  // Deletes the cell's dose comment from the recording (the cell itself is left as it is).
  void DeleteCellComment(std::uint32_t row, std::uint32_t column);

  // The host's notifications: the user deleted comments, or edited one.
  void OnCommentsRemoved(const std::vector<CommentInfo>& comments);
  void OnCommentChanged(const CommentInfo& old, const std::string& newText);

 private:
  // Clears the marked cell that the comment (with this text) belonged to; false when none.
  bool ClearCellOf(const CommentInfo& comment);
  void ChangeCellComment(std::uint32_t row, std::uint32_t column, const std::string& newText);

  Document& doc_;
};

// Sets the Document's busy flag while the module edits comments itself, so that the host's
// notifications about those edits are not taken for the user's.
class BusyScope {
 public:
  explicit BusyScope(Document& doc);
  ~BusyScope();
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Document& doc_;
  bool was_;
};

}  // namespace Tessel
