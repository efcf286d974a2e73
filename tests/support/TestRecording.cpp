#include "support/TestRecording.h"

#include <gtest/gtest.h>

#include <map>

#include "cli/LinkedModule.h"
#include "support/TestData.h"

namespace Testing {

RecordingBuilder& RecordingBuilder::Block(double interval, std::uint32_t ticks) {
  double start = 0.0;
  if (recording_.BlockCount() > 0) {
    const Strata::Block& last = recording_.BlockAt(recording_.BlockCount() - 1);
    start = last.startTime + last.interval * blockTicks_.back();
  }
  recording_.AddBlock(interval, ticks, start);
  blockTicks_.push_back(ticks);
  return *this;
}

RecordingBuilder& RecordingBuilder::Channel(const std::string& title, const std::string& units,
                                            std::function<double(double)> signal) {
  const std::int32_t c = recording_.AddChannel(title);
  for (std::int32_t b = 0; b < recording_.BlockCount(); ++b) {
    Strata::Block& block = recording_.BlockAt(b);
    block.units[static_cast<size_t>(c)] = units;
    auto& s = block.samples[static_cast<size_t>(c)];
    s.resize(blockTicks_[static_cast<size_t>(b)]);
    for (std::uint32_t t = 0; t < s.size(); ++t) {
      s[t] = static_cast<float>(signal(block.startTime + block.interval * t));
    }
  }
  return *this;
}

RecordingBuilder& RecordingBuilder::Comment(std::int32_t channel, std::uint32_t block,
                                            std::uint32_t tick, const std::string& text) {
  recording_.AddComment(channel, TickPosition(block, tick), text);
  return *this;
}

TestChart::TestChart(Strata::Recording recording, bool attachTessel)
    : messages_(Tessel::MakeRef<Strata::ScriptedMessageBox>()),
      host_(Tessel::MakeRef<Strata::Host>(messages_)),
      chart_(Tessel::MakeRef<Strata::ChartDocument>(host_, std::move(recording))) {
  if (attachTessel) {
    AttachTessel();
  }
}

Tessel::Document& TestChart::AttachTessel() {
  // Made through the module's registered class, as every host makes its documents.
  Tessel::Ref<Tessel::IChildDocument> child = Cli::DocumentClasses()[0].create(*chart_);
  doc_ = Tessel::Ref<Tessel::Document>(dynamic_cast<Tessel::Document*>(child.get()));
  chart_->AttachChild(doc_);
  return *doc_;
}

TestChart::~TestChart() {
  chart_->Close();
  doc_.reset();
}

std::string MessageText(const std::string& name) {
  static const std::map<std::string, std::string> texts = [] {
    std::map<std::string, std::string> m;
    for (const DataRow& row : DataTable("messages.txt")) {
      m[row[0]] = row[1];
    }
    return m;
  }();
  const auto it = texts.find(name);
  EXPECT_NE(it, texts.end()) << name;
  return it == texts.end() ? name : it->second;
}

void ExpectOneMessage(Strata::ScriptedMessageBox& box, const std::string& name,
                      Tessel::MessageIcon icon, Tessel::MessageButtons buttons) {
  const auto shown = box.Messages();
  box.Clear();
  ASSERT_EQ(shown.size(), 1u) << name;
  EXPECT_EQ(shown[0].text, MessageText(name));
  EXPECT_EQ(shown[0].caption, "Tessel");
  EXPECT_EQ(shown[0].icon, icon) << name;
  EXPECT_EQ(shown[0].buttons, buttons) << name;
}

}  // namespace Testing
