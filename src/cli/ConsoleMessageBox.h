#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "tessel/host/IMessageBox.h"
#include "tessel/host/RefCounted.h"

namespace Cli {

// Message boxes of the headless host: each message goes to standard error as one block of text,
// and every question is answered Yes, since a batch run was asked for by the user who started it.
class ConsoleMessageBox : public Tessel::RefCounted<Tessel::IMessageBox> {
 public:
  explicit ConsoleMessageBox(std::ostream& err, bool quiet = false) : err_(err), quiet_(quiet) {}

  Tessel::MessageAnswer Show(const std::string& text, const std::string& caption,
                             Tessel::MessageIcon icon, Tessel::MessageButtons buttons) override;

  // Every text shown, in order (for --json output).
  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  std::ostream& err_;
  bool quiet_;
  std::vector<std::string> texts_;
};

}  // namespace Cli
