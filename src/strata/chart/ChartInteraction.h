#pragma once

#include <cstdint>
#include <optional>

#include "strata/chart/ChartTimeline.h"
#include "strata/recording/ChartDocument.h"

namespace Strata {

// Where a comment the user types goes.
struct CommentPlace {
  std::int32_t channel;  // -1: on every channel
  TickPosition position;
};

// What the mouse does in the Chart View, in the recording's terms: a drag in one channel (or
// across all of them) selects, a click places the Active Point; typed comments go at the Active
// Point or the start of the selection. Every change goes to the chart document, which tells the
// extensions.
class ChartInteraction {
 public:
  ChartInteraction(ChartDocument& chart, const ChartTimeline& timeline)
      : chart_(chart), timeline_(timeline) {}

  // channel -2: the press was in the time axis, across every channel.
  void Press(std::int32_t channel, double seconds);
  void Drag(double seconds);
  void Release(double seconds);
  bool Dragging() const { return pressed_.has_value(); }

  // The place of a new comment: the selection's channel (or every channel when allChannels, or
  // when the selection spans them) at its start; while recording, the newest sample. None
  // without a selection or Active Point when not recording.
  std::optional<CommentPlace> NewCommentPlace(bool allChannels) const;
  // The comment nearest to a time within tolerance seconds, on the channel or on all.
  std::optional<Comment> CommentNear(std::int32_t channel, double seconds, double tolerance) const;

 private:
  void Apply(double seconds);

  ChartDocument& chart_;
  const ChartTimeline& timeline_;
  std::optional<double> pressed_;
  std::int32_t channel_ = -2;
};

}  // namespace Strata
