#include "tessel/measure/Plugin.h"

#include "tessel/measure/AveragePlugin.h"
#include "tessel/measure/CalcType.h"
#include "tessel/measure/IntegralPlugin.h"
#include "tessel/measure/MaxMinusMinPlugin.h"
#include "tessel/measure/MaxPlugin.h"
#include "tessel/measure/MinPlugin.h"

namespace Tessel {

void Plugin::AddSamples(std::int32_t firstIndex, const float* samples, std::uint32_t count,
                        bool correctBaseline) {
  for (std::uint32_t j = 0; j < count; ++j) {
    AddSample(firstIndex + static_cast<std::int32_t>(j), samples[j], correctBaseline);
  }
}

std::unique_ptr<Plugin> MakePlugin(std::int32_t calcType, const TableViewElem* cell,
                                   IChartData* data, double interval, std::int32_t startTick,
                                   std::int32_t endTick) {
  switch (calcType) {
    case kCalcAverage:
      return std::make_unique<AveragePlugin>(cell, data, interval, startTick, endTick);
    case kCalcMaximum:
      return std::make_unique<MaxPlugin>(cell, data, interval, startTick, endTick);
    case kCalcMinimum:
      return std::make_unique<MinPlugin>(cell, data, interval, startTick, endTick);
    case kCalcMaxMinusMin:
      return std::make_unique<MaxMinusMinPlugin>(cell, data, interval, startTick, endTick);
    case kCalcIntegral:
      return std::make_unique<IntegralPlugin>(cell, data, interval, startTick, endTick);
    default:
      return nullptr;
  }
}

}  // namespace Tessel
