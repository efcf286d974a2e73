#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/ConsoleMessageBox.h"
#include "strata/recording/ChartDocument.h"
#include "strata/recording/Host.h"
#include "tessel/document/Document.h"

namespace Cli {

// One recording opened by the headless host with its Tessel Document, as the desktop would have
// it open: a recording imported from any format the host reads, or a .strata document with the
// Tessel state it was saved with. Closes everything when it goes.
class DocumentSession {
 public:
  // Empty with *error set ("<file>: <fault>") when the file cannot be opened.
  static std::unique_ptr<DocumentSession> Open(const std::string& path, std::ostream& err,
                                               bool quiet, std::string* error);
  // Whether the file starts as a .strata document does (it may still be damaged).
  static bool IsStrataFile(const std::string& path);
  ~DocumentSession();
  DocumentSession(const DocumentSession&) = delete;
  DocumentSession& operator=(const DocumentSession&) = delete;

  Strata::ChartDocument& Chart() { return *chart_; }
  Strata::Host& Host() { return *host_; }
  Tessel::Document& Doc() { return *doc_; }
  ConsoleMessageBox& Messages() { return *messages_; }
  const std::string& Format() const { return format_; }
  const std::vector<std::string>& Report() const { return report_; }
  std::vector<std::string> ChannelTitles() const;

  // Saves as a .strata document; "" or the message.
  std::string Save(const std::string& path);

 private:
  DocumentSession() = default;

  Tessel::Ref<ConsoleMessageBox> messages_;
  Tessel::Ref<Strata::Host> host_;
  Tessel::Ref<Strata::ChartDocument> chart_;
  Tessel::Ref<Tessel::Document> doc_;
  std::string format_;
  std::vector<std::string> report_;
};

}  // namespace Cli
