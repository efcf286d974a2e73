#include "tessel/host/ModuleRegistration.h"

#include "tessel/host/DocumentClass.h"
#include "tessel/host/ExtensionMenu.h"
#include "tessel/host/ICommandService.h"
#include "tessel/host/NamedCommands.h"

namespace Tessel {
namespace {

IClassObject* ViewClassOf(ModuleAction action, const std::array<Ref<IClassObject>, 3>& views) {
  switch (action) {
    case ModuleAction::kTableView:
      return views[0].get();
    case ModuleAction::kResultsView:
      return views[1].get();
    case ModuleAction::kAnalysisView:
      return views[2].get();
    default:
      return nullptr;
  }
}

std::function<void()> HandlerOf(const ModuleParts& parts, ModuleAction action) {
  return parts.handler && action != ModuleAction::kNone ? parts.handler(action)
                                                        : std::function<void()>();
}

void AddMenuAndCommands(ICommandService& service, const ModuleParts& parts,
                        const std::array<Ref<IClassObject>, 3>& views) {
  for (const ExtensionMenuItem& item : ExtensionMenuItems()) {
    MenuItemInfo info;
    info.key = kExtensionMenuKey;
    info.path = item.path;
    info.text = item.text;
    info.shortTitle = item.shortTitle;
    info.shortTitle2 = item.shortTitle2;
    info.id = item.id;
    info.viewClass = ViewClassOf(item.action, views);
    service.AddMenuItem(info,
                        info.viewClass ? std::function<void()>() : HandlerOf(parts, item.action));
  }
  for (const NamedCommand& command : NamedCommands()) {
    CommandInfo info{kCommandCategory, command.name, command.description,
                     command.viewParameter ? kViewParameterText : ""};
    service.AddCommand(info, HandlerOf(parts, command.action));
  }
}

}  // namespace

Status RegisterModule(IRegistrar* registrar, const ModuleParts& parts) {
  if (registrar == nullptr) {
    return kFail;
  }
  const auto plain =
      MakeRef<ClassObject>(kDocumentClassName, ClassKind::kDocument, parts.createDocument);
  const std::array<Ref<IClassObject>, 3> views = {
      MakeRef<ClassObject>(kViewClassNames[0], ClassKind::kView, parts.createView[0]),
      MakeRef<ClassObject>(kViewClassNames[1], ClassKind::kView, parts.createView[1]),
      MakeRef<ClassObject>(kViewClassNames[2], ClassKind::kView, parts.createView[2])};
  registrar->AddClass(MakeRef<DocumentClass>(plain).get());
  for (const auto& view : views) {
    registrar->AddClass(view.get());
  }
  if (Ref<ICommandService> service = QueryInterface<ICommandService>(registrar)) {
    AddMenuAndCommands(*service, parts, views);
  }
  return kOk;
}

}  // namespace Tessel
