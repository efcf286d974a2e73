#include "tessel/host/NamedCommands.h"

namespace Tessel {
namespace {

// Recalculating and changing the hot keys act on the Table View the command came from, so those
// two carry the view parameter; the others act on the document whichever view is active.
constexpr NamedCommand kCommands[] = {
    {"OpenTesselSettingsDialog", "Open Tessel Settings Dialog", false, ModuleAction::kSettings},
    {"MarkDoseInChartView", "Mark Dose In Chart View", false, ModuleAction::kMarkDose},
    {"AddResponseInChartView", "Add Response In Chart View", false, ModuleAction::kAddResponse},
    {"OpenTesselAutoAnalyzeSelDialog", "Open Tessel Auto Analyze Selection Dialog", false,
     ModuleAction::kAutoAnalyze},
    {"OpenTesselConvertCommentsDialog", "Open Tessel Convert Comments Dialog", false,
     ModuleAction::kConvertComments},
    {"OpenTesselExportToXmlDialog", "Open Tessel Export To Xml Dialog", false,
     ModuleAction::kExportXml},
    {"OpenTesselExportToTextDialog", "Open Tessel Export To Text Dialog", false,
     ModuleAction::kExportText},
    {"TesselRecalculateTableView", "Recalculate Tessel Table View", true,
     ModuleAction::kRecalculate},
    {"TesselTableViewHotKeys", "Change Tessel Table View Hotkeys", true,
     ModuleAction::kShortcutKeys},
};

}  // namespace

std::span<const NamedCommand> NamedCommands() {
  return kCommands;
}

}  // namespace Tessel
