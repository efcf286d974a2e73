#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tessel/host/TickPosition.h"

namespace Strata {

using Tessel::TickPosition;

struct Channel {
  std::string title;
};

// A stretch of continuous sampling: every channel has the same number of samples at the same
// interval. A pause in recording, or a change of rate, starts a new block.
struct Block {
  double interval = 1.0;                    // seconds per sample
  double startTime = 0.0;                   // seconds from the start of the recording
  std::vector<std::vector<float>> samples;  // [channel][tick]
  std::vector<std::string> units;           // [channel]

  std::uint32_t Ticks() const {
    return samples.empty() ? 0 : static_cast<std::uint32_t>(samples[0].size());
  }
};

struct Comment {
  std::int64_t id = 0;
  std::int32_t channel = -1;  // -1: on every channel
  TickPosition position;
  std::string text;

  bool operator==(const Comment&) const = default;
};

// The samples, channels and comments of one recording, with no host behaviour: importers,
// storage and the simulated device build these; a ChartDocument serves one to extensions.
class Recording {
 public:
  std::int32_t ChannelCount() const { return static_cast<std::int32_t>(channels_.size()); }
  std::int32_t BlockCount() const { return static_cast<std::int32_t>(blocks_.size()); }
  const std::vector<Channel>& Channels() const { return channels_; }
  const std::vector<Block>& Blocks() const { return blocks_; }
  const Block& BlockAt(std::int32_t b) const { return blocks_.at(static_cast<size_t>(b)); }
  Block& BlockAt(std::int32_t b) { return blocks_.at(static_cast<size_t>(b)); }
  Channel& ChannelAt(std::int32_t c) { return channels_.at(static_cast<size_t>(c)); }
  const Channel& ChannelAt(std::int32_t c) const { return channels_.at(static_cast<size_t>(c)); }

  // A new channel, empty in every existing block.
  std::int32_t AddChannel(std::string title);
  // A new block of ticks zero samples on every channel; the start time defaults to the end of
  // the previous block.
  std::int32_t AddBlock(double interval, std::uint32_t ticks = 0,
                        std::optional<double> startTime = std::nullopt);
  // Appends one sample per channel at the end of a block.
  void AppendFrame(std::int32_t block, const std::vector<float>& frame);
  // Appends samples[channel] to each channel; all channels must get the same number.
  bool AppendSamples(std::int32_t block, const std::vector<std::vector<float>>& samples);
  // Drops everything from position on: the rest of its block, later blocks, comments there.
  std::vector<Comment> TruncateFrom(TickPosition position);

  bool HasData() const;
  std::uint64_t TotalSamples() const;

  std::int64_t AddComment(std::int32_t channel, TickPosition position, std::string text);
  bool ChangeComment(std::int64_t id, std::string text);
  bool DeleteComment(std::int64_t id);
  const Comment* FindComment(std::int64_t id) const;
  // Comments with from <= position <= to in position order; channel -2 every comment, any other
  // value those on that channel and those on all channels.
  std::vector<Comment> CommentsIn(TickPosition from, TickPosition to,
                                  std::int32_t channel = -2) const;
  const std::vector<Comment>& Comments() const { return comments_; }

  // Checks the invariants: every block has one sample vector and one unit per channel, all of
  // the same length; comments lie inside the recording. The first fault, or empty.
  std::string Validate() const;

  bool operator==(const Recording& other) const;

 private:
  std::vector<Channel> channels_;
  std::vector<Block> blocks_;
  std::vector<Comment> comments_;  // sorted by position, ties in order of addition
  std::int64_t nextCommentId_ = 1;
};

}  // namespace Strata
