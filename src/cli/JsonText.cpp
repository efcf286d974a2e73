#include "cli/JsonText.h"

#include <cmath>
#include <cstdio>

#include "cli/FitFailure.h"

namespace Cli {

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) {
    return "null";
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

namespace {

std::string JsonParameter(const Tessel::FitParameter& p, bool failed) {
  const auto number = [failed](double v) { return failed ? std::string("null") : JsonNumber(v); };
  return "{\"value\":" + number(p.value) + ",\"standardError\":" + number(p.standardError) +
         ",\"lower\":" + number(p.lower) + ",\"upper\":" + number(p.upper) + "}";
}

std::string JsonString(const std::string& text) {
  return text.empty() ? "null" : nlohmann::json(text).dump();
}

}  // namespace

std::string FitJson(const Tessel::FitResult& r, bool fixHill) {
  // A failed fit's numbers are whatever the minimiser stopped at: none of them is a result.
  const std::string failure = FitFailure(r, fixHill);
  const bool failed = !failure.empty();
  const auto number = [failed](double v) { return failed ? std::string("null") : JsonNumber(v); };
  return "{\"bottom\":" + JsonParameter(r.bottom, failed) +
         ",\"top\":" + JsonParameter(r.top, failed) +
         ",\"logEC50\":" + JsonParameter(r.logEC50, failed) +
         ",\"hillSlope\":" + JsonParameter(r.hillSlope, failed) +
         ",\"ec50\":" + number(std::pow(10.0, r.logEC50.value)) +
         ",\"degreesOfFreedom\":" + std::to_string(r.degreesOfFreedom) +
         ",\"rSquared\":" + number(r.rSquared) +
         ",\"absoluteSumOfSquares\":" + number(r.absoluteSumOfSquares) +
         ",\"syx\":" + number(r.syx) + ",\"pointsAnalysed\":" + std::to_string(r.pointsAnalysed) +
         ",\"converged\":" + (r.converged ? "true" : "false") +
         ",\"statisticsValid\":" + (r.statisticsValid ? "true" : "false") +
         ",\"failure\":" + JsonString(failure) + "}";
}

nlohmann::ordered_json SettingsJson(const Tessel::DocumentSettings& s) {
  nlohmann::ordered_json bits = nlohmann::ordered_json::array();
  for (size_t i = s.graphSet.find_first(); i != Tessel::GraphSet::npos;
       i = s.graphSet.find_next(i)) {
    bits.push_back(i);
  }
  return {{"autoChannel", s.autoChannel},
          {"b", s.b},
          {"c", s.c},
          {"startOffset", s.startOffset},
          {"stopOffset", s.stopOffset},
          {"calcType", s.calcType},
          {"calcName", s.calcName},
          {"f1", s.f1},
          {"scientific", s.scientific},
          {"perDoseBaseline", s.perDoseBaseline},
          {"sigFigs", s.sigFigs},
          {"g", s.g},
          {"h", s.h},
          {"graphSet", bits},
          {"bottomToZero", s.bottomToZero},
          {"normalize", s.normalize},
          {"fixHill", s.fixHill},
          {"showLegend", s.showLegend},
          {"currentRow", s.currentRow},
          {"currentColumn", s.currentColumn},
          {"advanceDown", s.advanceDown}};
}

std::string Splice(std::string json, const std::string& placeholder, const std::string& raw) {
  const std::string quoted = "\"" + placeholder + "\"";
  const size_t at = json.find(quoted);
  if (at != std::string::npos) {
    json.replace(at, quoted.size(), raw);
  }
  return json;
}

}  // namespace Cli
