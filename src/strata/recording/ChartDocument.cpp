#include "strata/recording/ChartDocument.h"

#include <algorithm>

#include "strata/recording/SampleEnumerator.h"

namespace Strata {

using namespace Tessel;

ChartDocument::ChartDocument(Ref<Host> host, Recording recording)
    : host_(std::move(host)), recording_(std::move(recording)) {}

void ChartDocument::Select(std::int32_t channel, TickPosition start, TickPosition end) {
  selection_ = ChartSelection{channel, start, end, false};
  NotifySelection();
}

void ChartDocument::PlaceActivePoint(std::int32_t channel, TickPosition position) {
  selection_ = ChartSelection{channel, position, position, true};
  NotifySelection();
}

void ChartDocument::ClearSelection() {
  selection_.reset();
  NotifySelection();
}

void ChartDocument::NotifySelection() {
  for (const Ref<Tessel::IMessageHook>& hook : Hooks()) {
    hook->OnSelectionChanged();
  }
}

void ChartDocument::SetChannelUsable(std::int32_t channel, bool usable) {
  usable_[channel] = usable;
}

bool ChartDocument::UserChangeComment(std::int64_t id, const std::string& text) {
  return ChangeComment(id, text) == kOk;
}

bool ChartDocument::UserDeleteComments(const std::vector<std::int64_t>& ids) {
  std::vector<Comment> removed;
  for (std::int64_t id : ids) {
    if (const Comment* c = recording_.FindComment(id)) {
      removed.push_back(*c);
      recording_.DeleteComment(id);
    }
  }
  NotifyRemoved(removed);
  return !removed.empty();
}

bool ChartDocument::AnnounceBefore(TickPosition position) {
  for (const auto& hook : Hooks()) {
    if (Failed(hook->OnDataChange(DataChange::kBefore, position))) {
      return false;
    }
  }
  return true;
}

void ChartDocument::AnnounceAfter(DataChange when, TickPosition position) {
  for (const auto& hook : Hooks()) {
    hook->OnDataChange(when, position);
  }
}

void ChartDocument::NotifyRemoved(const std::vector<Comment>& removed) {
  if (removed.empty()) {
    return;
  }
  std::vector<CommentInfo> infos;
  for (const auto& c : removed) {
    infos.push_back(Info(c));
  }
  for (const auto& hook : Hooks()) {
    hook->OnCommentsRemoved(infos);
  }
}

bool ChartDocument::DeleteDataFrom(TickPosition position) {
  if (!AnnounceBefore(position)) {
    return false;
  }
  const std::vector<Comment> removed = recording_.TruncateFrom(position);
  NotifyRemoved(removed);
  AnnounceAfter(DataChange::kAfter, position);
  SetModified();
  return true;
}

bool ChartDocument::ReplaceSamples(std::int32_t channel, TickPosition start,
                                   const std::vector<float>& values) {
  const auto block = static_cast<std::int32_t>(start.Block());
  if (block >= recording_.BlockCount() || channel < 0 || channel >= recording_.ChannelCount()) {
    return false;
  }
  auto& samples = recording_.BlockAt(block).samples[static_cast<size_t>(channel)];
  if (start.Tick() + values.size() > samples.size()) {
    return false;
  }
  std::copy(values.begin(), values.end(), samples.begin() + start.Tick());
  AnnounceAfter(DataChange::kAfterOnly, start);
  SetModified();
  return true;
}

void ChartDocument::StartSampling(double interval, bool appendToLastBlock, bool monitorOnly) {
  monitorOnly_ = monitorOnly;
  if (monitorOnly) {
    samplingBlock_ = -1;
  } else if (appendToLastBlock && recording_.BlockCount() > 0) {
    samplingBlock_ = recording_.BlockCount() - 1;
  } else {
    samplingBlock_ = recording_.AddBlock(interval);
  }
  sampling_ = true;
  const auto sinks = sinks_;
  for (const auto& sink : sinks) {
    sink->SamplingStarted(!monitorOnly);
  }
}

void ChartDocument::AppendFrames(const std::vector<std::vector<float>>& samples) {
  // While monitoring only, the signal is shown and not kept.
  if (!sampling_ || monitorOnly_ || !recording_.AppendSamples(samplingBlock_, samples)) {
    return;
  }
  const auto sinks = sinks_;
  const std::uint32_t ticks = recording_.BlockAt(samplingBlock_).Ticks();
  for (const auto& sink : sinks) {
    sink->DataArrived(samplingBlock_, ticks);
  }
}

void ChartDocument::StopSampling(bool aborted) {
  if (!sampling_) {
    return;
  }
  sampling_ = false;
  const auto sinks = sinks_;
  for (const auto& sink : sinks) {
    if (aborted) {
      sink->SamplingAborted();
    } else {
      sink->SamplingStopped();
    }
  }
  SetModified();
}

Status ChartDocument::AttachChild(Ref<IChildDocument> child) {
  if (!child) {
    return kFail;
  }
  children_.push_back(child);
  return child->Initialise();
}

Status ChartDocument::PrepareSave(std::int32_t saveMode, std::int32_t fileFormat) {
  for (const auto& child : children_) {
    if (Failed(child->BeforeSave(saveMode, fileFormat))) {
      return kFail;
    }
  }
  return kOk;
}

void ChartDocument::Close() {
  const auto children = std::move(children_);
  children_.clear();
  for (const auto& child : children) {
    child->Close();
  }
  childData_.clear();
}

IChartDataChildData* ChartDocument::ChildData(std::uint32_t type) const {
  auto it = childData_.find(type);
  return it == childData_.end() ? nullptr : it->second.get();
}

Status ChartDocument::GetData(IChartData** out) {
  if (out == nullptr) {
    return kFail;
  }
  AddRef();
  *out = this;
  return kOk;
}

Status ChartDocument::GetSelection(ChartSelection* selection) {
  if (selection == nullptr) {
    return kFail;
  }
  if (!selection_) {
    *selection = ChartSelection{};
    return kFalse;
  }
  *selection = *selection_;
  return kOk;
}

Status ChartDocument::QueryService(InterfaceId iid, void** out) {
  if (Query(iid, out) == kOk) {
    return kOk;
  }
  return host_ ? host_->QueryService(iid, out) : kFail;
}

Status ChartDocument::GetDataSource(IChartDataSource** out) {
  if (out == nullptr) {
    return kFail;
  }
  AddRef();
  *out = this;
  return kOk;
}

Status ChartDocument::GetBlockCount(std::int32_t* count) {
  if (count == nullptr) {
    return kFail;
  }
  *count = recording_.BlockCount();
  return kOk;
}

Status ChartDocument::SetChildData(std::uint32_t type, IChartDataChildData* data) {
  if (data == nullptr) {
    childData_.erase(type);
  } else {
    childData_[type] = Ref<IChartDataChildData>(data);
  }
  return kOk;
}

Status ChartDocument::GetChildData(std::uint32_t type, IChartDataChildData** out) {
  if (out == nullptr) {
    return kFail;
  }
  IChartDataChildData* data = ChildData(type);
  *out = data;
  if (data == nullptr) {
    return kFalse;
  }
  data->AddRef();
  return kOk;
}

Status ChartDocument::GetBlockOfPosition(TickPosition position, std::int32_t* block) {
  if (block == nullptr) {
    return kFail;
  }
  const auto b = static_cast<std::int32_t>(position.Block());
  if (b < 0 || b >= recording_.BlockCount()) {
    return kFalse;
  }
  *block = b;
  return kOk;
}

Status ChartDocument::GetBlockLength(std::int32_t block, std::uint32_t* ticks) {
  if (ticks == nullptr || block < 0 || block >= recording_.BlockCount()) {
    return kFail;
  }
  *ticks = recording_.BlockAt(block).Ticks();
  return kOk;
}

Status ChartDocument::GetSampleInterval(std::int32_t block, double* seconds) {
  if (seconds == nullptr || block < 0 || block >= recording_.BlockCount()) {
    return kFail;
  }
  *seconds = recording_.BlockAt(block).interval;
  return kOk;
}

Status ChartDocument::GetBlockStartTime(std::int32_t block, double* seconds) {
  if (seconds == nullptr || block < 0 || block >= recording_.BlockCount()) {
    return kFail;
  }
  *seconds = recording_.BlockAt(block).startTime;
  return kOk;
}

Status ChartDocument::EnumSamples(std::uint32_t /*flags*/, std::int32_t channel, TickPosition start,
                                  std::uint32_t maxCount, IEnumFloatEx** out) {
  ++sampleReads_;
  if (out == nullptr) {
    return kFail;
  }
  *out = nullptr;
  const auto block = static_cast<std::int32_t>(start.Block());
  if (channel < 0 || channel >= recording_.ChannelCount() || block >= recording_.BlockCount() ||
      start.Tick() > recording_.BlockAt(block).Ticks()) {
    return kFail;
  }
  Ref<IEnumFloatEx> e = MakeRef<SampleEnumerator>(Ref<IUnknown>(static_cast<IChartData*>(this)),
                                                  &recording_, channel, start, maxCount);
  *out = e.detach();
  return kOk;
}

Status ChartDocument::AddComment(std::int32_t channel, TickPosition position,
                                 const std::string& text, std::int64_t* id) {
  const auto block = static_cast<std::int32_t>(position.Block());
  if (channel < -1 || channel >= recording_.ChannelCount() || block >= recording_.BlockCount() ||
      position.Tick() > recording_.BlockAt(block).Ticks()) {
    return kFail;
  }
  const std::int64_t newId = recording_.AddComment(channel, position, text);
  if (id != nullptr) {
    *id = newId;
  }
  SetModified();
  return kOk;
}

Status ChartDocument::ChangeComment(std::int64_t id, const std::string& newText) {
  const Comment* c = recording_.FindComment(id);
  if (c == nullptr) {
    return kFail;
  }
  const CommentInfo old = Info(*c);
  recording_.ChangeComment(id, newText);
  SetModified();
  for (const auto& hook : Hooks()) {
    hook->OnCommentChanged(old, newText);
  }
  return kOk;
}

Status ChartDocument::DeleteComment(std::int64_t id) {
  const Comment* c = recording_.FindComment(id);
  if (c == nullptr) {
    return kFail;
  }
  const Comment removed = *c;
  recording_.DeleteComment(id);
  SetModified();
  NotifyRemoved({removed});
  return kOk;
}

Status ChartDocument::EnumComments(TickPosition from, TickPosition to, std::int32_t channel,
                                   std::vector<CommentInfo>* out) {
  if (out == nullptr) {
    return kFail;
  }
  out->clear();
  for (const auto& c : recording_.CommentsIn(from, to, channel)) {
    out->push_back(Info(c));
  }
  return out->empty() ? kFalse : kOk;
}

Status ChartDocument::GetChannelCount(std::int32_t* count) {
  if (count == nullptr) {
    return kFail;
  }
  *count = recording_.ChannelCount();
  return kOk;
}

Status ChartDocument::GetChannelTitle(std::int32_t channel, std::string* title) {
  if (title == nullptr || channel < 0 || channel >= recording_.ChannelCount()) {
    return kFail;
  }
  *title = recording_.ChannelAt(channel).title;
  return kOk;
}

Status ChartDocument::GetChannelUnits(std::int32_t channel, std::int32_t block,
                                      std::string* units) {
  if (units == nullptr || channel < 0 || channel >= recording_.ChannelCount() || block < 0 ||
      block >= recording_.BlockCount()) {
    return kFail;
  }
  *units = recording_.BlockAt(block).units[static_cast<size_t>(channel)];
  return kOk;
}

Status ChartDocument::IsChannelUsable(std::int32_t channel) {
  if (channel < 0 || channel >= recording_.ChannelCount()) {
    return kFalse;
  }
  auto it = usable_.find(channel);
  return it == usable_.end() || it->second ? kOk : kFalse;
}

Status ChartDocument::RegisterHook(IMessageHook* hook) {
  if (hook == nullptr) {
    return kFail;
  }
  ++hookRegistrations_;
  hooks_.emplace_back(hook);
  return kOk;
}

Status ChartDocument::UnregisterHook(IMessageHook* hook) {
  auto it = std::find_if(hooks_.begin(), hooks_.end(),
                         [hook](const Ref<IMessageHook>& h) { return h.get() == hook; });
  if (it == hooks_.end()) {
    return kFail;
  }
  ++hookUnregistrations_;
  hooks_.erase(it);
  return kOk;
}

Status ChartDocument::RegisterSink(IOnlineDataSink* sink) {
  if (sink == nullptr) {
    return kFail;
  }
  ++sinkRegistrations_;
  sinks_.emplace_back(sink);
  return kOk;
}

Status ChartDocument::UnregisterSink(IOnlineDataSink* sink) {
  auto it = std::find_if(sinks_.begin(), sinks_.end(),
                         [sink](const Ref<IOnlineDataSink>& s) { return s.get() == sink; });
  if (it == sinks_.end()) {
    return kFail;
  }
  ++sinkUnregistrations_;
  sinks_.erase(it);
  return kOk;
}

}  // namespace Strata
