#include "tessel/host/HostQueries.h"

#include "tessel/host/IChannelInfo.h"

namespace Tessel {

Ref<IChartData> DataOf(IChartDocument* doc) {
  IChartData* data = nullptr;
  if (doc == nullptr || doc->GetData(&data) != kOk || data == nullptr) {
    return {};
  }
  return Adopt(data);
}

Ref<IChartDataSource> DataSourceOf(IChartDocument* doc) {
  Ref<IChartData> data = DataOf(doc);
  IChartDataSource* source = nullptr;
  if (!data || data->GetDataSource(&source) != kOk || source == nullptr) {
    return {};
  }
  return Adopt(source);
}

std::vector<std::string> ChannelTitlesOf(IChartDocument* doc) {
  std::vector<std::string> titles;
  Ref<IChannelInfo> info = QueryInterface<IChannelInfo>(doc);
  std::int32_t count = 0;
  if (!info || info->GetChannelCount(&count) != kOk) {
    return titles;
  }
  for (std::int32_t c = 0; c < count; ++c) {
    std::string title;
    info->GetChannelTitle(c, &title);
    titles.push_back(title);
  }
  return titles;
}

}  // namespace Tessel
