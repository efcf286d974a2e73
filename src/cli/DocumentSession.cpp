#include "cli/DocumentSession.h"

#include <cstring>
#include <fstream>

#include "cli/LinkedModule.h"
#include "strata/import/RecordingImporter.h"
#include "strata/storage/StrataFile.h"

namespace Cli {
bool DocumentSession::IsStrataFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[16] = {};
  in.read(head, sizeof head);
  return in.gcount() == sizeof head && std::memcmp(head, "SQLite format 3", 16) == 0;
}

std::unique_ptr<DocumentSession> DocumentSession::Open(const std::string& path, std::ostream& err,
                                                       bool quiet, std::string* error) {
  std::unique_ptr<DocumentSession> s(new DocumentSession());
  s->messages_ = Tessel::MakeRef<ConsoleMessageBox>(err, quiet);
  s->host_ = Tessel::MakeRef<Strata::Host>(s->messages_);
  if (IsStrataFile(path)) {
    Strata::StrataFile::Opened opened = Strata::StrataFile::Open(path, s->host_, DocumentClasses());
    if (!opened.chart) {
      *error = opened.error;
      return nullptr;
    }
    s->chart_ = opened.chart;
    s->format_ = "Strata document";
    for (const auto& child : s->chart_->Children()) {
      if (auto* doc = dynamic_cast<Tessel::Document*>(child.get())) {
        s->doc_ = Tessel::Ref<Tessel::Document>(doc);
      }
    }
  } else {
    Strata::ImportResult imported = Strata::ImportRecording(path);
    if (!imported.ok) {
      *error = imported.error;
      return nullptr;
    }
    s->format_ = imported.format;
    s->report_ = imported.Report();
    s->chart_ = Tessel::MakeRef<Strata::ChartDocument>(s->host_, std::move(imported.recording));
  }
  if (!s->doc_) {
    Tessel::Ref<Tessel::IChildDocument> child = DocumentClasses()[0].create(*s->chart_);
    s->doc_ = Tessel::Ref<Tessel::Document>(dynamic_cast<Tessel::Document*>(child.get()));
    s->chart_->AttachChild(s->doc_);
  }
  // The document the user works in is the current one, as when the desktop activates a window.
  LinkedModule().DocumentClass()->DocumentCreated(
      static_cast<Tessel::IChildDocument*>(s->doc_.get()));
  return s;
}

DocumentSession::~DocumentSession() {
  if (doc_) {
    LinkedModule().DocumentClass()->DocumentClosing(
        static_cast<Tessel::IChildDocument*>(doc_.get()));
  }
  if (chart_) {
    chart_->Close();
  }
}

std::vector<std::string> DocumentSession::ChannelTitles() const {
  std::vector<std::string> titles;
  for (const auto& c : chart_->Data().Channels()) {
    titles.push_back(c.title);
  }
  return titles;
}

std::string DocumentSession::Save(const std::string& path) {
  return Strata::StrataFile::Save(path, *chart_, DocumentClasses());
}

}  // namespace Cli
