#include "cli/JsonText.h"

#include <cmath>
#include <cstdio>

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

std::string JsonParameter(const Tessel::FitParameter& p) {
  return "{\"value\":" + JsonNumber(p.value) + ",\"standardError\":" + JsonNumber(p.standardError) +
         ",\"lower\":" + JsonNumber(p.lower) + ",\"upper\":" + JsonNumber(p.upper) + "}";
}

}  // namespace

std::string FitJson(const Tessel::FitResult& r) {
  return "{\"bottom\":" + JsonParameter(r.bottom) + ",\"top\":" + JsonParameter(r.top) +
         ",\"logEC50\":" + JsonParameter(r.logEC50) +
         ",\"hillSlope\":" + JsonParameter(r.hillSlope) +
         ",\"ec50\":" + JsonNumber(std::pow(10.0, r.logEC50.value)) +
         ",\"degreesOfFreedom\":" + std::to_string(r.degreesOfFreedom) +
         ",\"rSquared\":" + JsonNumber(r.rSquared) +
         ",\"absoluteSumOfSquares\":" + JsonNumber(r.absoluteSumOfSquares) +
         ",\"syx\":" + JsonNumber(r.syx) +
         ",\"pointsAnalysed\":" + std::to_string(r.pointsAnalysed) +
         ",\"converged\":" + (r.converged ? "true" : "false") +
         ",\"statisticsValid\":" + (r.statisticsValid ? "true" : "false") + "}";
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
