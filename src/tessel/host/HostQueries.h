#pragma once

#include <string>
#include <vector>

#include "tessel/host/IChartData.h"
#include "tessel/host/IChartDataSource.h"
#include "tessel/host/IChartDocument.h"

namespace Tessel {

// The recording of a chart document, or none.
Ref<IChartData> DataOf(IChartDocument* doc);

// The data source of a chart document's recording, or none.
Ref<IChartDataSource> DataSourceOf(IChartDocument* doc);

// The titles of the recording's channels in channel order (empty without channel information).
std::vector<std::string> ChannelTitlesOf(IChartDocument* doc);

}  // namespace Tessel
