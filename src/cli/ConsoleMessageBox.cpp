#include "cli/ConsoleMessageBox.h"

#include <ostream>

namespace Cli {

using Tessel::MessageAnswer;
using Tessel::MessageButtons;

MessageAnswer ConsoleMessageBox::Show(const std::string& text, const std::string& caption,
                                      Tessel::MessageIcon /*icon*/, MessageButtons buttons) {
  texts_.push_back(text);
  if (!quiet_) {
    err_ << caption << ": " << text << "\n";
  }
  switch (buttons) {
    case MessageButtons::kOkOnly:
    case MessageButtons::kOkCancel:
      return MessageAnswer::kOkPressed;
    default:
      return MessageAnswer::kYes;
  }
}

}  // namespace Cli
