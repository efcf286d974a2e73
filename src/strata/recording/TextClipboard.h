#pragma once

#include <string>

#include "tessel/host/IClipboard.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The clipboard where there is no desktop (the command line, tests): it keeps the text. Refuse()
// makes it behave as a clipboard another program holds.
class TextClipboard : public Tessel::RefCounted<Tessel::IClipboard> {
 public:
  Tessel::Status SetText(const std::string& text) override {
    if (refuse_) {
      return Tessel::kFail;
    }
    text_ = text;
    return Tessel::kOk;
  }
  const std::string& Text() const { return text_; }
  void Refuse(bool refuse = true) { refuse_ = refuse; }

 private:
  std::string text_;
  bool refuse_ = false;
};

}  // namespace Strata
