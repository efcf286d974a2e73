#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tessel/document/DocumentSettings.h"
#include "tessel/document/IDocumentView.h"
#include "tessel/document/PersistStreamSettings.h"
#include "tessel/document/TableViewManagerState.h"
#include "tessel/document/TableViewMatrix.h"
#include "tessel/fit/FittedParamsData.h"
#include "tessel/host/IChartDocument.h"
#include "tessel/host/IChildDocument.h"
#include "tessel/host/IMessageBox.h"
#include "tessel/host/IMessageHook.h"
#include "tessel/host/IOnlineDataSink.h"
#include "tessel/host/IShortcutKeyManager.h"
#include "tessel/host/ITesselDoc.h"
#include "tessel/host/RefCounted.h"

namespace Tessel {

inline constexpr const char* kMsgNoDataSaved =
    "No Tessel data will be saved.\n\nDo you want to save anyway?";
inline constexpr const char* kMsgResponsesDeleted =
    "All responses in the Table View will be deleted.\n\nDo you want to continue?";
inline constexpr const char* kMsgShortcutsUnassigned =
    "Table View shortcuts must all be assigned by Shortcut Key Manager.";

// Both limits of the Analysis View's range when there is nothing to show.
inline constexpr double kNoRange = 2147483647.0;

// The Tessel state of one chart document: the dose–response matrix, the settings, the open
// views, and the reactions to what the host does with the recording.
class Document : public RefCounted<IChildDocument, ITesselDoc, IMessageHook, IOnlineDataSink> {
 public:
  // A new Document for the chart document; registers with the host's message and online-data
  // services. Initialise() follows once the host has loaded or created the chart document.
  static Ref<Document> Create(IChartDocument* parent);
  // The Tessel document kept with a chart document, found through its child data; null when
  // it has none (a view class is handed only the chart document).
  static Document* Of(IChartDocument* parent);

  // IChildDocument
  Status Close() override;
  Status GetPersistObject(std::int32_t index, std::int32_t kind, IPersistStream** out) override;
  Status Initialise() override;
  Status BeforeSave(std::int32_t saveMode, std::int32_t fileFormat) override;

  // ITesselDoc
  std::int32_t DocumentFlag() override { return HasDoseMarks() ? 0xFFFF : 0; }
  Status MarkDose() override;
  Status AddResponse() override;
  std::uint32_t MarkDoseKey() override;
  std::uint32_t AddResponseKey() override;

  // IMessageHook
  Status OnCommentChanged(const CommentInfo& old, const std::string& newText) override;
  Status OnCommentsRemoved(const std::vector<CommentInfo>& comments) override;
  Status OnDataChange(DataChange when, TickPosition position) override;
  Status OnSelectionChanged() override;

  // IOnlineDataSink
  Status SamplingStarted(bool recording) override;
  Status DataArrived(std::int32_t block, std::uint32_t ticks) override;
  Status SamplingStopped() override;
  Status SamplingAborted() override;
  std::int32_t UpdateInterval() override { return 100; }

  IChartDocument* Parent() const { return parent_.get(); }
  TableViewMatrix& Matrix() { return *matrix_; }
  const TableViewMatrix& Matrix() const { return *matrix_; }
  PersistStreamSettings& SettingsObject() { return *settings_; }
  DocumentSettings& Settings() { return settings_->Settings(); }
  const DocumentSettings& Settings() const { return settings_->Settings(); }

  // A new default matrix handed to the host as child data; the views' data start afresh.
  void Reset();

  // The fitted parameters of the plotted runs, one value column per run slot, and of the run
  // selected in the Results View.
  FittedParamsData& AllRunsParams() { return *allRunsParams_; }
  FittedParamsData& SelectedRunParams() { return *selectedRunParams_; }

  void AttachView(IDocumentView* view);
  void DetachView(IDocumentView* view);
  bool ViewOpen(ViewKind kind) const { return slots_[Index(kind)].open; }
  IDocumentView* View(ViewKind kind) const { return slots_[Index(kind)].view; }
  void UpdateAllViews();
  void RefreshView(ViewKind kind);

  bool HasDoseMarks() const;
  bool AnyMarkAtOrAfter(TickPosition position) const;
  void ClearDoseMark(std::uint32_t row, std::uint32_t column);
  void SetResponseAdded(std::uint32_t row, std::uint32_t column, bool added);
  void DeleteAllResponses();
  void SetModified();
  double DoseOfRow(std::uint32_t row) const { return Matrix().Cell(row, kDoseColumn).value; }
  // Rewrites the "Repeat n" marks after a run label changed.
  void UpdateRepeatLabels();

  // --- Measurement and dose comments; the work is done in measure/.
  // Measures the cell (vector = column, element = row) with the current settings.
  bool CalculateResponse(std::uint32_t vector, std::uint32_t element);
  // Measures every cell holding a response again and re-formats its text.
  bool RecalculateAllResponses();
  // The Settings command: the dialog edits a copy of the settings record and answers OK (true)
  // or Cancel. After OK, when the record or option flag 2 or 3 changed, the copy is applied and
  // every response measured again; true then.
  bool EditSettings(const std::function<bool(DocumentSettings&)>& dialog);
  // The raw extremes of a cell's selection, without changing the cell.
  double SelectionMaximum(std::uint32_t vector, std::uint32_t element);
  double SelectionMinimum(std::uint32_t vector, std::uint32_t element);
  // Mark Dose and Add Response on a cell (the Table View checks the target and advances).
  bool MarkDoseAt(std::uint32_t row, std::uint32_t column, bool partOfAdd);
  bool AddResponseAt(std::uint32_t row, std::uint32_t column);
  // Rewrites the dose comments of a row's marked cells after its dose text changed.
  void UpdateRowComments(std::uint32_t row, const std::string& newDoseText);
  // Set while Mark Dose searches the recording for an existing dose comment.
  bool CommentSearchRunning() const { return commentSearch_; }
  void SetCommentSearchRunning(bool running) { commentSearch_ = running; }

  // A modal message with the caption "Tessel"; kNo when the host has no message service.
  MessageAnswer ShowMessage(const std::string& text, MessageIcon icon, MessageButtons buttons);

  bool Sampling() const { return sampling_; }
  bool SettingsRead() const { return settingsRead_; }
  void SetSettingsRead() { settingsRead_ = true; }
  bool RestrictedSave() const { return restrictedSave_; }
  bool Busy() const { return busy_; }
  void SetBusy(bool busy) { busy_ = busy; }

  TickPosition SelectionStart() const { return selectionStart_; }
  TickPosition SelectionEnd() const { return selectionEnd_; }
  void SetSelection(TickPosition start, TickPosition end) {
    selectionStart_ = start;
    selectionEnd_ = end;
  }
  std::array<TickPosition, 2> SelectionToRestore() const { return restore_; }
  void SetSelectionToRestore(TickPosition start, TickPosition end) { restore_ = {start, end}; }

  IShortcutKeyManager* ShortcutKeys() const { return shortcuts_.get(); }

  // The Document's section of its stream: the matrix, then the Table View manager's state.
  void WriteStreamSection(Kor::BinaryWriter& out) const;
  // Resets the Document and reads its section; returns the matrix version read (-1 when the
  // stream ended before it). A matrix cut short leaves the default matrix of the reset. Throws
  // the framework error, having changed nothing, when the section cannot be read.
  std::int32_t ReadStreamSection(Kor::BinaryReader& in);
  TableViewManagerState& TableViewState() { return tableViewState_; }
  const TableViewManagerState& TableViewState() const { return tableViewState_; }

  // The percentage the Table View's and the document's text exports last showed: a new run's
  // first update comes at its first different percentage, as with any one writer.
  std::int64_t& TableViewExportPercent() { return exportPercent_[0]; }
  std::int64_t& DocumentExportPercent() { return exportPercent_[1]; }

 protected:
  explicit Document(IChartDocument* parent);
  ~Document() override;

 private:
  struct ViewSlot {
    bool open = false;
    IDocumentView* view = nullptr;
  };
  static size_t Index(ViewKind kind) { return static_cast<size_t>(kind); }
  void Register();
  void Unregister();
  void HandToHost(TableViewMatrix* matrix);
  bool RecordingHasData();

  Ref<IChartDocument> parent_;
  Ref<IChartData> data_;
  Ref<IMessageService> messages_;
  Ref<IOnlineDataService> online_;
  Ref<IShortcutKeyManager> shortcuts_;
  Ref<PersistStreamSettings> settings_;
  Ref<TableViewMatrix> matrix_;
  // Declared after the settings they read, so they go first.
  Ref<FittedParamsData> allRunsParams_;
  Ref<FittedParamsData> selectedRunParams_;
  std::array<ViewSlot, 3> slots_{};
  TableViewManagerState tableViewState_;
  std::array<std::int64_t, 2> exportPercent_{-1, -1};

  TickPosition selectionStart_;
  TickPosition selectionEnd_;
  std::array<TickPosition, 2> restore_{};

  bool sampling_ = false;
  bool settingsRead_ = false;
  bool restrictedSave_ = false;
  bool deletionConfirmed_ = false;
  bool busy_ = false;
  bool commentSearch_ = false;
};

}  // namespace Tessel
