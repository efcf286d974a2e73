#include "tessel/views/TableViewSettingsDlgModel.h"

#include <algorithm>

#include "tessel/measure/CalcType.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

// The edit box reads the significant figures through a ten-character buffer: nine characters
// and the terminating null, which also keeps the number within 32 bits.
constexpr size_t kSigFigsChars = 9;

bool InRange(std::int32_t figures) {
  return figures >= kMinSigFigs && figures <= kMaxSigFigs;
}

}  // namespace

BaselineCheckbox::BaselineCheckbox(bool value, bool applicable)
    : checked_(value && applicable), applicable_(applicable), remembered_(value) {}

void BaselineCheckbox::SetApplicable(bool applicable) {
  if (applicable == applicable_) {
    return;
  }
  if (!applicable) {
    remembered_ = checked_;
    checked_ = false;
  } else {
    checked_ = remembered_;
  }
  applicable_ = applicable;
}

void BaselineCheckbox::SetChecked(bool checked) {
  // A disabled box takes no clicks.
  if (applicable_) {
    checked_ = checked;
  }
}

const std::array<CalcMethodItem, 5>& TableViewSettingsDlgModel::CalcMethods() {
  static const std::array<CalcMethodItem, 5> kItems = {{
      {CalcTypeName(kCalcAverage), kCalcAverage},
      {CalcTypeName(kCalcMaximum), kCalcMaximum},
      {CalcTypeName(kCalcMinimum), kCalcMinimum},
      {CalcTypeName(kCalcMaxMinusMin), kCalcMaxMinusMin},
      {CalcTypeName(kCalcIntegral), kCalcIntegral},
  }};
  return kItems;
}

TableViewSettingsDlgModel::TableViewSettingsDlgModel(DocumentSettings& settings,
                                                     Ref<IHelpService> help)
    : settings_(settings),
      help_(std::move(help)),
      scientific_(settings.scientific),
      perDose_(settings.perDoseBaseline, PerDoseCorrectionApplies(settings.calcType)),
      sigFigsText_(std::to_string(settings.sigFigs)),
      advanceDown_(settings.advanceDown) {
  const auto& items = CalcMethods();
  const auto found = std::find_if(items.begin(), items.end(), [&](const CalcMethodItem& item) {
    return item.type == settings.calcType;
  });
  calcIndex_ = found == items.end() ? -1 : static_cast<std::int32_t>(found - items.begin());
}

void TableViewSettingsDlgModel::SelectCalcMethod(std::int32_t index) {
  if (index < 0 || index >= static_cast<std::int32_t>(CalcMethods().size())) {
    return;
  }
  calcIndex_ = index;
  perDose_.SetApplicable(PerDoseCorrectionApplies(CalcMethods()[index].type));
}

std::int32_t TableViewSettingsDlgModel::ReadSigFigs(std::string_view text) {
  text = text.substr(0, kSigFigsChars);
  std::int32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      break;
    }
    value = value * 10 + (c - '0');
  }
  return value;
}

void TableViewSettingsDlgModel::SetSigFigsText(std::string text) {
  sigFigsText_ = std::move(text);
  Validate();
}

void TableViewSettingsDlgModel::Spin(std::int32_t steps) {
  const std::int32_t value =
      std::clamp(ReadSigFigs(sigFigsText_) + steps, kMinSigFigs, kMaxSigFigs);
  SetSigFigsText(std::to_string(value));
}

void TableViewSettingsDlgModel::Validate() {
  balloon_.reset();
  if (!InRange(ReadSigFigs(sigFigsText_))) {
    balloon_ = Balloon{kSigFigsBalloonTitle,
                       Kor::FormatMessage(kSigFigsBalloonText, {std::to_string(kMinSigFigs),
                                                                std::to_string(kMaxSigFigs)}),
                       false};
  }
}

bool TableViewSettingsDlgModel::PressOk() {
  const std::int32_t figures = ReadSigFigs(sigFigsText_);
  if (!InRange(figures)) {
    if (showWarning_) {
      showWarning_();
    }
    return false;
  }
  if (calcIndex_ >= 0) {
    const CalcMethodItem& item = CalcMethods()[calcIndex_];
    settings_.calcType = item.type;
    settings_.calcName = item.text;
  }
  settings_.scientific = scientific_;
  settings_.perDoseBaseline = perDose_.Value();
  settings_.sigFigs = figures;
  settings_.advanceDown = advanceDown_;
  accepted_ = true;
  return true;
}

void TableViewSettingsDlgModel::PressHelp() {
  if (help_) {
    help_->ShowTopic(kHelpFile, kSettingsHelpTopic);
  }
}

}  // namespace Tessel
