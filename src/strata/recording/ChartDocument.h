#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "strata/recording/Host.h"
#include "strata/recording/Recording.h"
#include "tessel/host/IChannelInfo.h"
#include "tessel/host/IChartComment.h"
#include "tessel/host/IChartData.h"
#include "tessel/host/IChartDataSource.h"
#include "tessel/host/IChartDocument.h"
#include "tessel/host/IChildDocument.h"
#include "tessel/host/IMessageHook.h"
#include "tessel/host/IOnlineDataSink.h"
#include "tessel/host/IShowComment2Message.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

using Tessel::ChartSelection;
using Tessel::CommentInfo;
using Tessel::Ref;
using Tessel::Status;

// One open recording of the chart recorder: its samples and comments, the Chart View selection,
// the sampling state, and the extensions' child documents. Serves the recording to extensions
// through the host interfaces and tells them what happens to it.
class ChartDocument
    : public Tessel::RefCounted<Tessel::IChartDocument, Tessel::IChartData,
                                Tessel::IChartDataSource, Tessel::IChartComment,
                                Tessel::IChannelInfo, Tessel::IMessageService,
                                Tessel::IOnlineDataService, Tessel::IShowComment2Message> {
 public:
  ChartDocument(Ref<Host> host, Recording recording = {});

  Recording& Data() { return recording_; }
  const Recording& Data() const { return recording_; }
  Host& App() { return *host_; }

  // --- What the user does in the Chart View.
  void Select(std::int32_t channel, TickPosition start, TickPosition end);
  void PlaceActivePoint(std::int32_t channel, TickPosition position);
  void ClearSelection();
  void SetChannelUsable(std::int32_t channel, bool usable);
  // Edits or deletes comments as the user would, with the notifications that follow.
  bool UserChangeComment(std::int64_t id, const std::string& text);
  bool UserDeleteComments(const std::vector<std::int64_t>& ids);
  // Deletes all data from position on, after asking the extensions; false when one refused.
  bool DeleteDataFrom(TickPosition position);
  // Overwrites samples of one channel (a host-side recalculation), announced only afterwards.
  bool ReplaceSamples(std::int32_t channel, TickPosition start, const std::vector<float>& values);

  // --- Live sampling: a new block (or the last one continued), frames appended as they come.
  // monitorOnly: the signal is shown but not kept (nothing is appended).
  void StartSampling(double interval, bool appendToLastBlock = false, bool monitorOnly = false);
  void AppendFrames(const std::vector<std::vector<float>>& samples);  // [channel][i]
  void StopSampling(bool aborted = false);

  // --- Extensions' child documents.
  // Adds a child document and initialises it.
  Status AttachChild(Ref<Tessel::IChildDocument> child);
  // Asks every child before saving; kFail when one cancelled.
  Status PrepareSave(std::int32_t saveMode, std::int32_t fileFormat);
  // Closes every child, releasing them.
  void Close();
  const std::vector<Ref<Tessel::IChildDocument>>& Children() const { return children_; }
  Tessel::IChartDataChildData* ChildData(std::uint32_t type) const;

  // --- Observations for tests and the command line.
  int HookRegistrations() const { return hookRegistrations_; }
  int HookUnregistrations() const { return hookUnregistrations_; }
  int SinkRegistrations() const { return sinkRegistrations_; }
  int SinkUnregistrations() const { return sinkUnregistrations_; }
  size_t RegisteredHooks() const { return hooks_.size(); }
  size_t RegisteredSinks() const { return sinks_.size(); }
  int ModifiedCount() const { return modified_; }
  // How often an extension asked to read samples.
  int SampleReads() const { return sampleReads_; }
  const std::vector<CommentInfo>& CommentsShown() const { return shownComments_; }

  // IChartDocument
  Status GetData(Tessel::IChartData** out) override;
  Status GetSelection(ChartSelection* selection) override;
  Status IsSampling() override { return sampling_ ? Tessel::kOk : Tessel::kFalse; }
  Status SetModified() override {
    ++modified_;
    return Tessel::kOk;
  }
  Status QueryService(Tessel::InterfaceId iid, void** out) override;

  // IChartData and IChartDataSource
  Status GetDataSource(Tessel::IChartDataSource** out) override;
  Status GetBlockCount(std::int32_t* count) override;
  Status HasData() override { return recording_.HasData() ? Tessel::kOk : Tessel::kFalse; }
  Status SetChildData(std::uint32_t type, Tessel::IChartDataChildData* data) override;
  Status GetChildData(std::uint32_t type, Tessel::IChartDataChildData** out) override;
  Status GetBlockOfPosition(TickPosition position, std::int32_t* block) override;
  Status GetBlockLength(std::int32_t block, std::uint32_t* ticks) override;
  Status GetSampleInterval(std::int32_t block, double* seconds) override;
  Status GetBlockStartTime(std::int32_t block, double* seconds) override;
  Status EnumSamples(std::uint32_t flags, std::int32_t channel, TickPosition start,
                     std::uint32_t maxCount, Tessel::IEnumFloatEx** out) override;

  // IChartComment
  Status AddComment(std::int32_t channel, TickPosition position, const std::string& text,
                    std::int64_t* id) override;
  Status ChangeComment(std::int64_t id, const std::string& newText) override;
  Status DeleteComment(std::int64_t id) override;
  Status EnumComments(TickPosition from, TickPosition to, std::int32_t channel,
                      std::vector<CommentInfo>* out) override;

  // IChannelInfo
  Status GetChannelCount(std::int32_t* count) override;
  Status GetChannelTitle(std::int32_t channel, std::string* title) override;
  Status GetChannelUnits(std::int32_t channel, std::int32_t block, std::string* units) override;
  Status IsChannelUsable(std::int32_t channel) override;

  // IMessageService, IOnlineDataService
  Status RegisterHook(Tessel::IMessageHook* hook) override;
  Status UnregisterHook(Tessel::IMessageHook* hook) override;
  Status RegisterSink(Tessel::IOnlineDataSink* sink) override;
  Status UnregisterSink(Tessel::IOnlineDataSink* sink) override;

  // IShowComment2Message
  Status ShowComment(const CommentInfo& comment) override {
    shownComments_.push_back(comment);
    if (showComment_) {
      showComment_(comment);
    }
    return Tessel::kOk;
  }
  // Where the Chart View scrolls to a comment an extension asks to be shown.
  void OnShowComment(std::function<void(const CommentInfo&)> show) {
    showComment_ = std::move(show);
  }

 protected:
  ~ChartDocument() override = default;

 private:
  static CommentInfo Info(const Comment& c) {
    return CommentInfo{c.id, c.channel, c.position, c.text};
  }
  std::vector<Ref<Tessel::IMessageHook>> Hooks() const { return hooks_; }
  bool AnnounceBefore(TickPosition position);
  void AnnounceAfter(Tessel::DataChange when, TickPosition position);
  void NotifyRemoved(const std::vector<Comment>& removed);
  // Tells the extensions the selection or Active Point changed.
  void NotifySelection();

  Ref<Host> host_;
  Recording recording_;
  std::optional<ChartSelection> selection_;
  std::map<std::int32_t, bool> usable_;
  std::map<std::uint32_t, Ref<Tessel::IChartDataChildData>> childData_;
  std::vector<Ref<Tessel::IChildDocument>> children_;
  std::vector<Ref<Tessel::IMessageHook>> hooks_;
  std::vector<Ref<Tessel::IOnlineDataSink>> sinks_;
  std::vector<CommentInfo> shownComments_;
  std::function<void(const CommentInfo&)> showComment_;
  bool sampling_ = false;
  bool monitorOnly_ = false;
  std::int32_t samplingBlock_ = -1;
  int hookRegistrations_ = 0;
  int hookUnregistrations_ = 0;
  int sinkRegistrations_ = 0;
  int sinkUnregistrations_ = 0;
  int modified_ = 0;
  int sampleReads_ = 0;
};

}  // namespace Strata
