#pragma once

#include <functional>
#include <string>
#include <vector>

#include "strata/recording/ChartDocument.h"
#include "strata/recording/Host.h"
#include "strata/recording/ScriptedMessageBox.h"
#include "tessel/document/Document.h"

namespace Testing {

using Tessel::Ref;
using Tessel::TickPosition;

// Builds a recording in a few lines: blocks first, then channels as functions of the time in
// seconds from the start of the recording, then comments.
class RecordingBuilder {
 public:
  RecordingBuilder& Block(double interval, std::uint32_t ticks);
  RecordingBuilder& Channel(const std::string& title, const std::string& units,
                            std::function<double(double)> signal);
  RecordingBuilder& Comment(std::int32_t channel, std::uint32_t block, std::uint32_t tick,
                            const std::string& text);
  Strata::Recording Build() const { return recording_; }

 private:
  Strata::Recording recording_;
  std::vector<std::uint32_t> blockTicks_;  // a block's length is known before its channels
};

// A comment of a test recording: its channel (-1 for all), its tick in block 0 and its text.
struct BathComment {
  std::int32_t channel;
  std::uint32_t tick;
  std::string text;
};

// An organ bath recorded at 0.01 s per sample in one block: "Tension" (g) a constant 2.0 and
// "Flow" (ml/min) the time in seconds, with these comments.
inline Strata::Recording Bath(std::uint32_t ticks, const std::vector<BathComment>& comments) {
  RecordingBuilder b;
  b.Block(0.01, ticks)
      .Channel("Tension", "g", [](double) { return 2.0; })
      .Channel("Flow", "ml/min", [](double t) { return t; });
  for (const BathComment& c : comments) {
    b.Comment(c.channel, 0, c.tick, c.text);
  }
  return b.Build();
}

// A running stand-in host with one open chart document, scripted messages, and a Tessel Document
// attached to it. Closes everything on destruction, as the host does when a file is closed.
class TestChart {
 public:
  explicit TestChart(Strata::Recording recording = {}, bool attachTessel = true);
  ~TestChart();
  TestChart(const TestChart&) = delete;
  TestChart& operator=(const TestChart&) = delete;

  Strata::ChartDocument& Chart() { return *chart_; }
  Strata::Host& Host() { return *host_; }
  Strata::ScriptedMessageBox& Messages() { return *messages_; }
  Tessel::Document& Doc() { return *doc_; }
  Ref<Tessel::Document> DocRef() { return doc_; }
  // Creates and initialises a Tessel Document (when the constructor did not).
  Tessel::Document& AttachTessel();

 private:
  Ref<Strata::ScriptedMessageBox> messages_;
  Ref<Strata::Host> host_;
  Ref<Strata::ChartDocument> chart_;
  Ref<Tessel::Document> doc_;
};

// The text of a message by its short name in tests/data/messages.txt.
std::string MessageText(const std::string& name);

// Expects that exactly one message was shown since the last look: the named one, with Tessel's
// caption, this icon and these buttons. Forgets it.
void ExpectOneMessage(Strata::ScriptedMessageBox& box, const std::string& name,
                      Tessel::MessageIcon icon,
                      Tessel::MessageButtons buttons = Tessel::MessageButtons::kOkOnly);

// A view that counts what the Document asks of it.
class CountingView : public Tessel::IDocumentView {
 public:
  explicit CountingView(Tessel::ViewKind kind) : kind_(kind) {}
  Tessel::ViewKind Kind() const override { return kind_; }
  void Invalidate() override { ++invalidated; }
  void Refresh() override { ++refreshed; }
  void ShowRange(double from, double to) override {
    rangeFrom = from;
    rangeTo = to;
  }
  // As a Table View: the keys' commands it was asked to run.
  Tessel::Status MarkDose() override {
    ++marks;
    return Tessel::kOk;
  }
  Tessel::Status AddResponse() override {
    ++adds;
    return Tessel::kOk;
  }
  int marks = 0;
  int adds = 0;
  int invalidated = 0;
  int refreshed = 0;
  double rangeFrom = 0.0;
  double rangeTo = 0.0;

 private:
  Tessel::ViewKind kind_;
};

}  // namespace Testing
