#pragma once

namespace Tessel {

// What a menu item or a named command of the module does. The host never sees these: it gets a
// handler for each item, or a view class for the view items.
enum class ModuleAction {
  kSettings,
  kMarkDose,
  kAddResponse,
  kAutoAnalyze,
  kConvertComments,
  kExportXml,
  kExportText,
  kRecalculate,
  kShortcutKeys,
  kTableView,
  kAnalysisView,
  kResultsView,
  kNone,  // the menu's root and its separators
};

}  // namespace Tessel
