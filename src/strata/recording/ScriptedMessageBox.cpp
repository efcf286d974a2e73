#include "strata/recording/ScriptedMessageBox.h"

namespace Strata {

using Tessel::MessageAnswer;
using Tessel::MessageButtons;

Tessel::MessageAnswer ScriptedMessageBox::Show(const std::string& text, const std::string& caption,
                                               Tessel::MessageIcon icon, MessageButtons buttons) {
  MessageAnswer answer =
      buttons == MessageButtons::kOkOnly ? MessageAnswer::kOkPressed : MessageAnswer::kNo;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  shown_.push_back(Shown{text, caption, icon, buttons, answer});
  return answer;
}

}  // namespace Strata
