#pragma once

#include <string>
#include <vector>

#include "support/TestRecording.h"
#include "tessel/views/TableViewPresenter.h"

namespace Testing {

using Tessel::kFirstDoseRow;
using Tessel::kFirstRunColumn;

// Two channels over two blocks at 0.1 s per sample: "Pressure" equals its tick number, "Flow" is
// 2.0 throughout. Block 0 has 200 samples, block 1 has 50.
inline Strata::Recording TwoChannelRecording() {
  Strata::Recording r;
  r.AddChannel("Pressure");
  r.AddChannel("Flow");
  for (std::uint32_t ticks : {200u, 50u}) {
    const std::int32_t b = r.AddBlock(0.1, ticks);
    for (std::uint32_t t = 0; t < ticks; ++t) {
      r.BlockAt(b).samples[0][t] = static_cast<float>(t);
      r.BlockAt(b).samples[1][t] = 2.0f;
    }
  }
  return r;
}

// A recording open in the stand-in host with Tessel's Table View over it, driven the way a
// person drives it: typing into cells, selecting in the Chart View, pressing F2 and F3.
class TableSession {
 public:
  explicit TableSession(Strata::Recording recording = TwoChannelRecording())
      : chart_(std::move(recording)), table_(chart_.Doc()) {}

  TestChart& Chart() { return chart_; }
  Strata::ChartDocument& Host() { return chart_.Chart(); }
  Tessel::Document& Doc() { return chart_.Doc(); }
  Tessel::TableViewPresenter& Table() { return table_; }
  Strata::ScriptedMessageBox& Person() { return chart_.Messages(); }
  const Tessel::TableViewElem& Cell(std::uint32_t row, std::uint32_t column) {
    return Doc().Matrix().Cell(row, column);
  }

  // Types the doses into the dose column from the first dose row down.
  void TypeDoses(const std::vector<std::string>& doses) {
    for (size_t i = 0; i < doses.size(); ++i) {
      table_.CommitEdit(kFirstDoseRow + static_cast<std::uint32_t>(i), Tessel::kDoseColumn,
                        doses[i]);
    }
  }
  // Adds run columns until there are runs, then picks each run's channel.
  void SetRunChannels(const std::vector<std::int32_t>& channels) {
    for (size_t i = 0; i < channels.size(); ++i) {
      const auto column = kFirstRunColumn + static_cast<std::uint32_t>(i);
      auto& m = Doc().Matrix();
      if (column >= m.ColumnCount()) {
        m.InsertColumn(column, m.NewRunColumn(column));
      }
      table_.CommitEdit(Tessel::kRowChannel, column, std::to_string(channels[i]));
    }
  }
  // Selects ticks [from, to) of a block on a channel in the Chart View.
  void Select(std::int32_t channel, std::uint32_t from, std::uint32_t to, std::uint32_t block = 0) {
    Host().Select(channel, Tessel::TickPosition(block, from), Tessel::TickPosition(block, to));
  }
  void ActivePoint(std::int32_t channel, std::uint32_t tick, std::uint32_t block = 0) {
    Host().PlaceActivePoint(channel, Tessel::TickPosition(block, tick));
  }
  // F2 and F3 reach the document, which passes them to its Table View.
  Tessel::Status PressF2() { return Doc().MarkDose(); }
  Tessel::Status PressF3() { return Doc().AddResponse(); }

  // The comments of the recording as (channel, tick, text), in position order.
  struct Note {
    std::int32_t channel;
    std::uint32_t tick;
    std::string text;
    bool operator==(const Note&) const = default;
  };
  std::vector<Note> Comments() {
    std::vector<Note> out;
    for (const auto& c : Host().Data().Comments()) {
      out.push_back(Note{c.channel, c.position.Tick(), c.text});
    }
    return out;
  }
  std::int64_t CommentId(const std::string& text) {
    for (const auto& c : Host().Data().Comments()) {
      if (c.text == text) {
        return c.id;
      }
    }
    return -1;
  }
  // Every message shown so far, and forgets them.
  std::vector<Strata::ScriptedMessageBox::Shown> TakeMessages() {
    auto shown = Person().Messages();
    Person().Clear();
    return shown;
  }

 private:
  TestChart chart_;
  Tessel::TableViewPresenter table_;
};

inline void PrintTo(const TableSession::Note& n, std::ostream* os) {
  *os << "{" << n.channel << ", " << n.tick << ", \"" << n.text << "\"}";
}

}  // namespace Testing
