#include "tessel/host/ExtensionMenu.h"

namespace Tessel {
namespace {

using enum MenuEntryKind;

// Identities of the items the host addresses by number; any values the host does not use
// otherwise would do, these keep the module's numbers together.
constexpr std::uint32_t kIdSettings = 0x7E01;
constexpr std::uint32_t kIdTableView = 0x7E02;
constexpr std::uint32_t kIdAnalysisView = 0x7E03;
constexpr std::uint32_t kIdResultsView = 0x7E04;

constexpr ExtensionMenuItem kItems[] = {
    {"Tessel^EXTENSION|", kRoot, 0, "Tessel", "", "", ModuleAction::kNone},
    {"Tessel|Settings", kIdentified, kIdSettings, "&Settings...", "Settings", "Settings",
     ModuleAction::kSettings},
    {"Tessel|-", kSeparator, 0, "", "", "", ModuleAction::kNone},
    {"Tessel|Table View", kIdentified, kIdTableView, "&Table View", "Table View", "Table View",
     ModuleAction::kTableView},
    {"Tessel|Analysis View", kIdentified, kIdAnalysisView, "&Analysis View", "Analysis View",
     "Analysis View", ModuleAction::kAnalysisView},
    // The Results View kept the path of its first name.
    {"Tessel|Graph View", kIdentified, kIdResultsView, "&Results View", "Results View",
     "Results View", ModuleAction::kResultsView},
    {"Tessel|-", kSeparator, 0, "", "", "", ModuleAction::kNone},
    {"Tessel|Auto-Analyze Selection", kText, 0, "A&uto-Analyze Selection...",
     "Auto-Analyze Selection", "Auto-Analyze Selection", ModuleAction::kAutoAnalyze},
    {"Tessel|Convert Comments", kText, 0, "&Convert Comments...", "Convert Comments",
     "Convert Comments", ModuleAction::kConvertComments},
    {"Tessel|-", kSeparator, 0, "", "", "", ModuleAction::kNone},
    {"Tessel|Export to XML", kText, 0, "Export to &XML...", "Export to XML", "Export to XML",
     ModuleAction::kExportXml},
    {"Tessel|Export to Text", kText, 0, "&Export to Text...", "Export to Text", "Export to Text",
     ModuleAction::kExportText},
};

}  // namespace

std::span<const ExtensionMenuItem> ExtensionMenuItems() {
  return kItems;
}

}  // namespace Tessel
