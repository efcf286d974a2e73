#include "strata/recording/Recording.h"

#include <algorithm>

namespace Strata {

std::int32_t Recording::AddChannel(std::string title) {
  channels_.push_back(Channel{std::move(title)});
  for (auto& block : blocks_) {
    block.samples.emplace_back(block.Ticks(), 0.0f);
    block.units.emplace_back();
  }
  return ChannelCount() - 1;
}

std::int32_t Recording::AddBlock(double interval, std::uint32_t ticks,
                                 std::optional<double> startTime) {
  Block block;
  block.interval = interval;
  if (startTime) {
    block.startTime = *startTime;
  } else if (!blocks_.empty()) {
    const Block& last = blocks_.back();
    block.startTime = last.startTime + last.interval * last.Ticks();
  }
  block.samples.assign(channels_.size(), std::vector<float>(ticks, 0.0f));
  block.units.assign(channels_.size(), std::string());
  blocks_.push_back(std::move(block));
  return BlockCount() - 1;
}

void Recording::AppendFrame(std::int32_t block, const std::vector<float>& frame) {
  Block& b = BlockAt(block);
  for (size_t c = 0; c < b.samples.size(); ++c) {
    b.samples[c].push_back(c < frame.size() ? frame[c] : 0.0f);
  }
}

bool Recording::AppendSamples(std::int32_t block, const std::vector<std::vector<float>>& samples) {
  Block& b = BlockAt(block);
  if (samples.size() != b.samples.size()) {
    return false;
  }
  for (const auto& s : samples) {
    if (s.size() != samples[0].size()) {
      return false;
    }
  }
  for (size_t c = 0; c < samples.size(); ++c) {
    b.samples[c].insert(b.samples[c].end(), samples[c].begin(), samples[c].end());
  }
  return true;
}

std::vector<Comment> Recording::TruncateFrom(TickPosition position) {
  const auto block = static_cast<std::int32_t>(position.Block());
  if (block < BlockCount()) {
    Block& b = BlockAt(block);
    for (auto& s : b.samples) {
      if (position.Tick() < s.size()) {
        s.resize(position.Tick());
      }
    }
    blocks_.resize(static_cast<size_t>(block) + (position.Tick() > 0 ? 1 : 0));
  }
  std::vector<Comment> removed;
  auto first = std::find_if(comments_.begin(), comments_.end(),
                            [&](const Comment& c) { return c.position >= position; });
  removed.assign(first, comments_.end());
  comments_.erase(first, comments_.end());
  return removed;
}

bool Recording::HasData() const {
  return std::any_of(blocks_.begin(), blocks_.end(),
                     [](const Block& b) { return b.Ticks() > 0 && !b.samples.empty(); });
}

std::uint64_t Recording::TotalSamples() const {
  std::uint64_t n = 0;
  for (const auto& b : blocks_) {
    n += static_cast<std::uint64_t>(b.Ticks()) * b.samples.size();
  }
  return n;
}

std::int64_t Recording::AddComment(std::int32_t channel, TickPosition position, std::string text) {
  Comment c{nextCommentId_++, channel, position, std::move(text)};
  auto at = std::upper_bound(comments_.begin(), comments_.end(), position,
                             [](TickPosition p, const Comment& x) { return p < x.position; });
  comments_.insert(at, std::move(c));
  return nextCommentId_ - 1;
}

bool Recording::ChangeComment(std::int64_t id, std::string text) {
  for (auto& c : comments_) {
    if (c.id == id) {
      c.text = std::move(text);
      return true;
    }
  }
  return false;
}

bool Recording::DeleteComment(std::int64_t id) {
  auto it = std::find_if(comments_.begin(), comments_.end(),
                         [id](const Comment& c) { return c.id == id; });
  if (it == comments_.end()) {
    return false;
  }
  comments_.erase(it);
  return true;
}

const Comment* Recording::FindComment(std::int64_t id) const {
  for (const auto& c : comments_) {
    if (c.id == id) {
      return &c;
    }
  }
  return nullptr;
}

std::vector<Comment> Recording::CommentsIn(TickPosition from, TickPosition to,
                                           std::int32_t channel) const {
  std::vector<Comment> out;
  auto it = std::lower_bound(comments_.begin(), comments_.end(), from,
                             [](const Comment& x, TickPosition p) { return x.position < p; });
  for (; it != comments_.end() && it->position <= to; ++it) {
    if (channel == -2 || it->channel == -1 || it->channel == channel) {
      out.push_back(*it);
    }
  }
  return out;
}

std::string Recording::Validate() const {
  for (size_t b = 0; b < blocks_.size(); ++b) {
    const Block& block = blocks_[b];
    if (block.samples.size() != channels_.size() || block.units.size() != channels_.size()) {
      return "block " + std::to_string(b + 1) + " does not have one series per channel";
    }
    for (const auto& s : block.samples) {
      if (s.size() != block.Ticks()) {
        return "block " + std::to_string(b + 1) + " has channels of different lengths";
      }
    }
    if (!(block.interval > 0.0)) {
      return "block " + std::to_string(b + 1) + " has a sample interval that is not positive";
    }
  }
  for (const auto& c : comments_) {
    if (c.channel < -1 || c.channel >= ChannelCount()) {
      return "comment \"" + c.text + "\" is on a channel that does not exist";
    }
    const auto block = static_cast<std::int32_t>(c.position.Block());
    if (block >= BlockCount() || c.position.Tick() > BlockAt(block).Ticks()) {
      return "comment \"" + c.text + "\" lies outside the recording";
    }
  }
  return {};
}

bool Recording::operator==(const Recording& other) const {
  if (channels_.size() != other.channels_.size() || blocks_.size() != other.blocks_.size() ||
      comments_.size() != other.comments_.size()) {
    return false;
  }
  for (size_t c = 0; c < channels_.size(); ++c) {
    if (channels_[c].title != other.channels_[c].title) {
      return false;
    }
  }
  for (size_t b = 0; b < blocks_.size(); ++b) {
    const Block& x = blocks_[b];
    const Block& y = other.blocks_[b];
    if (x.interval != y.interval || x.startTime != y.startTime || x.units != y.units ||
        x.samples != y.samples) {
      return false;
    }
  }
  for (size_t i = 0; i < comments_.size(); ++i) {
    const Comment& x = comments_[i];
    const Comment& y = other.comments_[i];
    if (x.channel != y.channel || x.position != y.position || x.text != y.text) {
      return false;
    }
  }
  return true;
}

}  // namespace Strata
