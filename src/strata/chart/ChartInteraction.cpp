#include "strata/chart/ChartInteraction.h"

#include <cmath>

namespace Strata {

void ChartInteraction::Press(std::int32_t channel, double seconds) {
  pressed_ = seconds;
  channel_ = channel;
  Apply(seconds);
}

void ChartInteraction::Drag(double seconds) {
  if (pressed_) {
    Apply(seconds);
  }
}

void ChartInteraction::Release(double seconds) {
  if (pressed_) {
    Apply(seconds);
    pressed_.reset();
  }
}

void ChartInteraction::Apply(double seconds) {
  const TickPosition a = timeline_.PositionAt(std::min(*pressed_, seconds));
  const TickPosition b = timeline_.PositionAt(std::max(*pressed_, seconds));
  if (a == b) {
    chart_.PlaceActivePoint(channel_, a);
  } else {
    chart_.Select(channel_, a, b);
  }
}

std::optional<CommentPlace> ChartInteraction::NewCommentPlace(bool allChannels) const {
  ChartSelection selection;
  const bool selected = chart_.GetSelection(&selection) == Tessel::kOk;
  // While recording, a comment marks now: the newest sample, on the selected channel or on all.
  if (chart_.IsSampling() == Tessel::kOk && chart_.Data().BlockCount() > 0) {
    const std::int32_t block = chart_.Data().BlockCount() - 1;
    const std::uint32_t ticks = chart_.Data().BlockAt(block).Ticks();
    const bool all = allChannels || !selected || selection.channel < 0;
    return CommentPlace{all ? -1 : selection.channel,
                        TickPosition(static_cast<std::uint32_t>(block), ticks > 0 ? ticks - 1 : 0)};
  }
  if (!selected) {
    return std::nullopt;
  }
  const bool all = allChannels || selection.channel < 0;
  return CommentPlace{all ? -1 : selection.channel, selection.start};
}

std::optional<Comment> ChartInteraction::CommentNear(std::int32_t channel, double seconds,
                                                     double tolerance) const {
  std::optional<Comment> best;
  double bestDistance = tolerance;
  for (const Comment& c : chart_.Data().Comments()) {
    if (c.channel != -1 && channel >= 0 && c.channel != channel) {
      continue;
    }
    const double distance = std::abs(timeline_.TimeOf(c.position) - seconds);
    if (distance <= bestDistance) {
      bestDistance = distance;
      best = c;
    }
  }
  return best;
}

}  // namespace Strata
