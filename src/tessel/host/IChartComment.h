#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessel/host/IUnknown.h"
#include "tessel/host/TickPosition.h"

namespace Tessel {

// Comment channel index meaning "on every channel".
inline constexpr std::int32_t kAllChannelsComment = -1;

struct CommentInfo {
  std::int64_t id = 0;        // the host's handle, stable while the comment exists
  std::int32_t channel = -1;  // -1: on every channel
  TickPosition position;
  std::string text;

  bool operator==(const CommentInfo&) const = default;
};

// The recording's comments.
class IChartComment : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IChartComment";

  virtual Status AddComment(std::int32_t channel, TickPosition position, const std::string& text,
                            std::int64_t* id) = 0;
  virtual Status ChangeComment(std::int64_t id, const std::string& newText) = 0;
  virtual Status DeleteComment(std::int64_t id) = 0;
  // Comments with from <= position <= to, in position order (ties in the order they were added).
  // channel -2 lists every comment; any other value lists those on that channel and those on all.
  virtual Status EnumComments(TickPosition from, TickPosition to, std::int32_t channel,
                              std::vector<CommentInfo>* out) = 0;
};

}  // namespace Tessel
