#pragma once

#include "tessel/host/IFileChooser.h"
#include "tessel/host/RefCounted.h"

class QWidget;

namespace Strata {

// The desktop's file chooser, over the given window.
class DialogFileChooser : public Tessel::RefCounted<Tessel::IFileChooser> {
 public:
  explicit DialogFileChooser(QWidget* parent) : parent_(parent) {}
  Tessel::Status ChooseSavePath(const std::string& title, const std::string& filter,
                                const std::string& suggestedName, std::string* path) override;

 private:
  QWidget* parent_;
};

}  // namespace Strata
