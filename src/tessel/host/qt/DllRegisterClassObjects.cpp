#include "tessel/document/Document.h"
#include "tessel/host/ModuleExport.h"
#include "tessel/host/ModuleRegistration.h"
#include "tessel/host/qt/KeyEventFilter.h"
#include "tessel/views/ModuleActions.h"
#include "tessel/views/qt/AutoAnalyzeDlg.h"
#include "tessel/views/qt/ConvertCommentsDlg.h"
#include "tessel/views/qt/PlaceholderView.h"
#include "tessel/views/qt/SaveFileDialog.h"
#include "tessel/views/qt/TableViewSettingsDlg.h"
#include "tessel/views/qt/TesselTableView.h"

namespace {

Tessel::ClassObject::Factory Placeholder(const char* title) {
  return [title](Tessel::IChartDocument*) -> Tessel::Ref<Tessel::IUnknown> {
    return Tessel::Ref<Tessel::IUnknown>(Tessel::MakeRef<Tessel::PlaceholderView>(title).get());
  };
}

// The Table View of the chart document's Tessel document; none when it has no Tessel document.
Tessel::Ref<Tessel::IUnknown> CreateTableView(Tessel::IChartDocument* parent) {
  Tessel::Document* doc = Tessel::Document::Of(parent);
  if (doc == nullptr) {
    return {};
  }
  return Tessel::Ref<Tessel::IUnknown>(Tessel::MakeRef<Tessel::TesselTableView>(*doc).get());
}

}  // namespace

// The only symbol the module's shared library exports (its version script hides the rest).
extern "C" __attribute__((visibility("default"))) Tessel::Status DllRegisterClassObjects(
    Tessel::IRegistrar* registrar) {
  using namespace Tessel;
  KeyEventFilter::Connect();
  // The commands' windows first: a command registers with a handler only when it has them.
  ModuleDialogs dialogs;
  dialogs.settings = TableViewSettingsDlg::Run;
  dialogs.autoAnalyze = AutoAnalyzeDlg::Run;
  dialogs.convertComments = ConvertCommentsDlg::Run;
  dialogs.saveFile = std::make_shared<SaveFileDialog>();
  dialogs.documentsFolder = UserDocumentsFolder;
  InstallModuleDialogs(std::move(dialogs));
  ModuleParts parts;
  parts.createDocument = [](IChartDocument* parent) -> Ref<IUnknown> {
    Ref<IChildDocument> doc = Document::Create(parent);
    return Ref<IUnknown>(doc.get());
  };
  parts.createView = {CreateTableView, Placeholder(kViewClassNames[1]),
                      Placeholder(kViewClassNames[2])};
  parts.handler = ModuleActionHandler;
  return RegisterModule(registrar, parts);
}
