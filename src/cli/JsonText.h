#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "tessel/document/DocumentSettings.h"
#include "tessel/fit/FitResult.h"

namespace Cli {

// A double with 17 significant digits, which reads back to the same double; "null" when it is
// not finite, as JSON has no infinities or NaN.
std::string JsonNumber(double value);

// The fit record as `tessel fit --json` prints it (one object, no line end). A failed fit has
// null for every value and says why in "failure" (null when the fit succeeded).
std::string FitJson(const Tessel::FitResult& result, bool fixHill);

// The settings record, every field by its name.
nlohmann::ordered_json SettingsJson(const Tessel::DocumentSettings& settings);

// Replaces the string value "placeholder" (with its quotes) in dumped JSON by raw JSON text: how
// the 17-digit fit objects go into a larger object that nlohmann writes.
std::string Splice(std::string json, const std::string& placeholder, const std::string& raw);

}  // namespace Cli
