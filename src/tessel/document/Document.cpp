#include "tessel/document/Document.h"

#include <cstdlib>
#include <ctime>

#include "tessel/document/TableViewMatrixStream.h"
#include "tessel/host/ITypeRegistry.h"
#include "tessel/host/KeyboardHook.h"
#include "tessel/host/ShortcutKeys.h"
#include "tessel/measure/CalcType.h"
#include "tessel/measure/CommentKeeper.h"
#include "tessel/measure/DoseMarker.h"
#include "tessel/measure/Recalculation.h"
#include "tessel/measure/ResponseCalculator.h"

namespace Tessel {

Ref<Document> Document::Create(IChartDocument* parent) {
  // Registration hands the host references to us, so it waits until we are counted.
  Ref<Document> doc(new Document(parent));
  doc->Register();
  return doc;
}

Document::Document(IChartDocument* parent) : parent_(parent) {
  settings_ = MakeRef<PersistStreamSettings>(this);
  // Until Initialise resets it, a default matrix that the host does not know yet.
  matrix_ = MakeRef<TableViewMatrix>(this);
  allRunsParams_ = MakeRef<FittedParamsData>(Settings());
  selectedRunParams_ = MakeRef<FittedParamsData>(Settings());
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  KeyboardHook::Install();
}

void Document::Register() {
  messages_ = QueryService<IMessageService>(parent_.get());
  if (messages_) {
    messages_->RegisterHook(this);
  }
  online_ = QueryService<IOnlineDataService>(parent_.get());
  if (online_) {
    online_->RegisterSink(this);
  }
}

Document::~Document() {
  if (KeyboardHook::Installed()) {
    KeyboardHook::Remove();
  }
  if (matrix_) {
    matrix_->SetOwner(nullptr);
  }
  if (settings_) {
    settings_->Detach();
  }
}

void Document::Unregister() {
  if (messages_) {
    messages_->UnregisterHook(this);
    messages_.reset();
  }
  if (online_) {
    online_->UnregisterSink(this);
    online_.reset();
  }
}

Status Document::Close() {
  // Unregistering releases the host's references to us; keep ourselves alive until done.
  Ref<Document> self(this);
  Unregister();
  allRunsParams_.reset();
  selectedRunParams_.reset();
  if (settings_) {
    settings_->Detach();
    settings_.reset();
  }
  if (matrix_) {
    matrix_->SetOwner(nullptr);
  }
  for (auto& slot : slots_) {
    slot = ViewSlot{};
  }
  shortcuts_.reset();
  data_.reset();
  parent_.reset();
  return kOk;
}

Status Document::GetPersistObject(std::int32_t index, std::int32_t kind, IPersistStream** out) {
  if (out == nullptr) {
    return kFail;
  }
  *out = nullptr;
  if (index != 0 || kind != kStreamKindState || !settings_) {
    return kFalse;
  }
  Ref<IPersistStream> stream(settings_.get());
  *out = stream.detach();
  return kOk;
}

Status Document::Initialise() {
  if (!parent_) {
    return kFail;
  }
  std::int32_t blocks = 0;
  IChartData* data = nullptr;
  if (parent_->GetData(&data) == kOk) {
    data_ = Adopt(data);
    data_->GetBlockCount(&blocks);
  }
  shortcuts_ = QueryService<IShortcutKeyManager>(parent_.get());
  RegisterDefaultShortcutKeys(shortcuts_.get());
  if (!settingsRead_ || (blocks == 0 && !settings_->Option(kOptionSaved))) {
    Reset();
  }
  settings_->SetOption(kOptionSaved, false);
  return kOk;
}

Status Document::BeforeSave(std::int32_t saveMode, std::int32_t fileFormat) {
  if (!settings_) {
    return kFail;
  }
  settings_->SetOption(kOptionSaved, true);
  restrictedSave_ = fileFormat == kFormatRestricted || saveMode == kSaveDataOnly;
  if (saveMode == kSaveDataOnly && HasDoseMarks()) {
    if (ShowMessage(kMsgNoDataSaved, MessageIcon::kWarning, MessageButtons::kYesNo) !=
        MessageAnswer::kYes) {
      return kFail;
    }
  }
  return kOk;
}

Status Document::MarkDose() {
  IDocumentView* table = View(ViewKind::kTable);
  return ViewOpen(ViewKind::kTable) && table != nullptr ? table->MarkDose() : kFalse;
}

Status Document::AddResponse() {
  IDocumentView* table = View(ViewKind::kTable);
  return ViewOpen(ViewKind::kTable) && table != nullptr ? table->AddResponse() : kFalse;
}

std::uint32_t Document::MarkDoseKey() {
  return AssignedShortcutKey(shortcuts_.get(), kMarkDoseCommand);
}

std::uint32_t Document::AddResponseKey() {
  return AssignedShortcutKey(shortcuts_.get(), kAddResponseCommand);
}

Status Document::OnCommentChanged(const CommentInfo& old, const std::string& newText) {
  CommentKeeper(*this).OnCommentChanged(old, newText);
  return kOk;
}

Status Document::OnCommentsRemoved(const std::vector<CommentInfo>& comments) {
  CommentKeeper(*this).OnCommentsRemoved(comments);
  return kOk;
}

Status Document::OnSelectionChanged() {
  if (IDocumentView* table = View(ViewKind::kTable)) {
    table->SelectionChanged();
  }
  return kOk;
}

Status Document::OnDataChange(DataChange when, TickPosition position) {
  switch (when) {
    case DataChange::kBefore:
      if (HasDoseMarks() && AnyMarkAtOrAfter(position)) {
        deletionConfirmed_ = true;
        if (ShowMessage(kMsgResponsesDeleted, MessageIcon::kWarning, MessageButtons::kYesNo) !=
            MessageAnswer::kYes) {
          deletionConfirmed_ = false;
          return kFail;
        }
      }
      return kOk;
    case DataChange::kAfter:
      if (deletionConfirmed_) {
        DeleteAllResponses();
      }
      break;
    case DataChange::kAfterOnly:
      if (AnyMarkAtOrAfter(position)) {
        DeleteAllResponses();
      }
      break;
  }
  deletionConfirmed_ = false;
  return kOk;
}

Status Document::SamplingStarted(bool recording) {
  sampling_ = true;
  if (settings_) {
    settings_->SetOption(kOptionMonitorOnly, !recording);
  }
  RefreshView(ViewKind::kTable);
  return kOk;
}

Status Document::DataArrived(std::int32_t /*block*/, std::uint32_t /*ticks*/) {
  sampling_ = true;
  return kOk;
}

Status Document::SamplingStopped() {
  sampling_ = false;
  return kOk;
}

Status Document::SamplingAborted() {
  sampling_ = false;
  return kOk;
}

void Document::HandToHost(TableViewMatrix* matrix) {
  if (!data_ && parent_) {
    IChartData* data = nullptr;
    if (parent_->GetData(&data) == kOk) {
      data_ = Adopt(data);
    }
  }
  if (!data_) {
    return;
  }
  std::uint32_t type = 0;
  matrix->GetChildDataType(&type);
  data_->SetChildData(type, matrix);
}

Document* Document::Of(IChartDocument* parent) {
  std::uint16_t number = 0;
  auto registry = QueryService<ITypeRegistry>(parent);
  if (!registry || registry->RegisterType(kMatrixClassId, &number) != kOk) {
    return nullptr;
  }
  IChartData* rawData = nullptr;
  if (parent->GetData(&rawData) != kOk || rawData == nullptr) {
    return nullptr;
  }
  Ref<IChartData> data = Adopt(rawData);
  IChartDataChildData* rawChild = nullptr;
  if (data->GetChildData(TableViewMatrix::ChildDataType(number), &rawChild) != kOk ||
      rawChild == nullptr) {
    return nullptr;
  }
  Ref<IChartDataChildData> child = Adopt(rawChild);
  auto* matrix = dynamic_cast<TableViewMatrix*>(child.get());
  return matrix != nullptr ? matrix->Owner() : nullptr;
}

void Document::Reset() {
  if (matrix_) {
    matrix_->SetOwner(nullptr);
  }
  matrix_ = MakeRef<TableViewMatrix>(this);
  HandToHost(matrix_.get());
  tableViewState_ = TableViewManagerState{};
  allRunsParams_ = MakeRef<FittedParamsData>(Settings());
  selectedRunParams_ = MakeRef<FittedParamsData>(Settings());
}

void Document::AttachView(IDocumentView* view) {
  if (view == nullptr) {
    return;
  }
  ViewSlot& slot = slots_[Index(view->Kind())];
  slot.open = true;
  slot.view = view;
  if (view->Kind() == ViewKind::kTable && (MarkDoseKey() == 0 || AddResponseKey() == 0)) {
    ShowMessage(kMsgShortcutsUnassigned, MessageIcon::kInformation, MessageButtons::kOkOnly);
  }
  view->Refresh();
}

void Document::DetachView(IDocumentView* view) {
  if (view == nullptr) {
    return;
  }
  ViewSlot& slot = slots_[Index(view->Kind())];
  if (slot.view == view) {
    slot = ViewSlot{};
  }
}

void Document::UpdateAllViews() {
  for (auto& slot : slots_) {
    if (slot.open && slot.view != nullptr) {
      slot.view->Invalidate();
      slot.view->Refresh();
    }
  }
  // The Results and Analysis Views read what the Table View's refresh recomputes, so the three
  // are refreshed once more, in that order.
  RefreshView(ViewKind::kTable);
  RefreshView(ViewKind::kResults);
  RefreshView(ViewKind::kAnalysis);
}

void Document::RefreshView(ViewKind kind) {
  const ViewSlot& slot = slots_[Index(kind)];
  if (slot.open && slot.view != nullptr) {
    slot.view->Refresh();
  }
}

bool Document::HasDoseMarks() const {
  const TableViewMatrix& m = Matrix();
  for (std::uint32_t c = 0; c < m.ColumnCount(); ++c) {
    for (const TableViewElem& cell : *m.Column(c)) {
      if (cell.doseMarked) {
        return true;
      }
    }
  }
  return false;
}

bool Document::AnyMarkAtOrAfter(TickPosition position) const {
  const TableViewMatrix& m = Matrix();
  for (std::uint32_t c = 0; c < m.ColumnCount(); ++c) {
    for (const TableViewElem& cell : *m.Column(c)) {
      if (cell.doseMarked && cell.dosePosition >= position) {
        return true;
      }
    }
  }
  return false;
}

void Document::ClearDoseMark(std::uint32_t row, std::uint32_t column) {
  if (!Matrix().Contains(row, column)) {
    return;
  }
  TableViewElem& cell = Matrix().Cell(row, column);
  cell.doseMarked = false;
  cell.text.clear();
  cell.value = 0.0;
  cell.dosePosition = TickPosition{};
}

void Document::SetResponseAdded(std::uint32_t row, std::uint32_t column, bool added) {
  if (!Matrix().Contains(row, column)) {
    return;
  }
  TableViewElem& cell = Matrix().Cell(row, column);
  cell.responseAdded = added;
  if (!added) {
    cell.response = 0.0;
    cell.start = cell.end = TickPosition{};
  }
  UpdateAllViews();
}

void Document::DeleteAllResponses() {
  if (HasDoseMarks()) {
    TableViewMatrix& m = Matrix();
    for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
      for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
        ClearDoseMark(r, c);
        TableViewElem& cell = m.Cell(r, c);
        cell.responseAdded = false;
        cell.response = 0.0;
        cell.start = cell.end = TickPosition{};
      }
    }
  }
  if (ViewOpen(ViewKind::kTable)) {
    allRunsParams_->ResetTable();
    selectedRunParams_->ResetTable();
    RefreshView(ViewKind::kTable);
    if (IDocumentView* analysis = View(ViewKind::kAnalysis)) {
      analysis->ShowRange(kNoRange, kNoRange);
    }
  }
}

void Document::SetModified() {
  if (parent_ && !(settings_ && settings_->Loading())) {
    parent_->SetModified();
  }
}

void Document::UpdateRepeatLabels() {
  Matrix().UpdateRepeatLabels();
  SetModified();
}

MessageAnswer Document::ShowMessage(const std::string& text, MessageIcon icon,
                                    MessageButtons buttons) {
  auto box = QueryService<IMessageBox>(parent_.get());
  if (!box) {
    return MessageAnswer::kNo;
  }
  return box->Show(text, kTesselCaption, icon, buttons);
}

bool Document::CalculateResponse(std::uint32_t vector, std::uint32_t element) {
  TableViewElem& cell = Matrix().Cell(element, vector);
  const std::int32_t type = Settings().calcType;
  const bool done =
      ResponseCalculator(parent_.get(), type, Settings().perDoseBaseline).Calculate(cell);
  // An unknown calculation type stops a measurement before anything is refitted; a cell without
  // a response still refreshes the fits, since its point may just have gone.
  const bool knownType = type >= 0 && type < kCalcTypeCount;
  if (knownType || !cell.responseAdded) {
    RefreshView(ViewKind::kResults);
  }
  return done;
}

bool Document::RecalculateAllResponses() {
  return Tessel::RecalculateAllResponses(*this);
}

bool Document::EditSettings(const std::function<bool(DocumentSettings&)>& dialog) {
  if (!settings_) {
    return false;
  }
  const DocumentSettings before = Settings();
  const bool notifyHost = settings_->Option(kOptionNotifyHost);
  const bool reserved3 = settings_->Option(kOptionReserved3);
  DocumentSettings edited = before;
  if (!dialog(edited)) {
    return false;
  }
  if (edited == before && settings_->Option(kOptionNotifyHost) == notifyHost &&
      settings_->Option(kOptionReserved3) == reserved3) {
    return false;
  }
  Settings() = std::move(edited);
  RecalculateAllResponses();
  SetModified();
  if (!settings_->Option(kOptionNotifyHost)) {
    settings_->SetDirty(true);
  } else if (parent_) {
    // The host's one change notification stands for the framework's document-changed message.
    parent_->SetModified();
  }
  RefreshView(ViewKind::kResults);
  return true;
}

double Document::SelectionMaximum(std::uint32_t vector, std::uint32_t element) {
  return ResponseCalculator(parent_.get(), Settings().calcType, Settings().perDoseBaseline)
      .SelectionMaximum(Matrix().Cell(element, vector));
}

double Document::SelectionMinimum(std::uint32_t vector, std::uint32_t element) {
  return ResponseCalculator(parent_.get(), Settings().calcType, Settings().perDoseBaseline)
      .SelectionMinimum(Matrix().Cell(element, vector));
}

bool Document::MarkDoseAt(std::uint32_t row, std::uint32_t column, bool partOfAdd) {
  return DoseMarker(*this).MarkDose(row, column, partOfAdd);
}

bool Document::AddResponseAt(std::uint32_t row, std::uint32_t column) {
  return DoseMarker(*this).AddResponse(row, column);
}

void Document::UpdateRowComments(std::uint32_t row, const std::string& newDoseText) {
  CommentKeeper(*this).UpdateRowComments(row, newDoseText);
}

// --- The Document's section of the stream.

void Document::WriteStreamSection(Kor::BinaryWriter& out) const {
  WriteMatrixStream(out, *matrix_, restrictedSave_);
  tableViewState_.Write(out);
}

std::int32_t Document::ReadStreamSection(Kor::BinaryReader& in) {
  // Everything is read before anything changes, so an unreadable section leaves the Document as
  // it was.
  MatrixStreamContents contents = ReadMatrixStream(in, RecordingHasData());
  TableViewManagerState state;
  state.Read(in);
  Reset();
  if (contents.complete || !contents.columns.empty()) {
    matrix_->Assign(std::move(contents.columns));
  }
  tableViewState_ = std::move(state);
  return contents.version;
}

bool Document::RecordingHasData() {
  Ref<IChartData> data = data_;
  IChartData* fetched = nullptr;
  if (!data && parent_ && parent_->GetData(&fetched) == kOk) {
    data = Adopt(fetched);
  }
  return data && data->HasData() == kOk;
}

}  // namespace Tessel
