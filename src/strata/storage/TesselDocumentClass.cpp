#include "strata/storage/TesselDocumentClass.h"

#include "strata/recording/ChartDocument.h"
#include "tessel/document/Document.h"
#include "tessel/host/ITesselDoc.h"

namespace Strata {

ChildDocumentClass TesselDocumentClass() {
  ChildDocumentClass cls;
  cls.name = kTesselDocumentClassName;
  cls.create = [](ChartDocument& chart) -> Tessel::Ref<Tessel::IChildDocument> {
    return Tessel::Document::Create(&chart);
  };
  cls.isInstance = [](Tessel::IChildDocument* child) {
    return Tessel::QueryInterface<Tessel::ITesselDoc>(child) != nullptr;
  };
  cls.loadFault = [](Tessel::IChildDocument* child) -> std::string {
    auto* doc = dynamic_cast<Tessel::Document*>(child);
    return doc != nullptr ? Tessel::FrameworkError::Describe(doc->SettingsObject().LastError())
                          : std::string();
  };
  return cls;
}

}  // namespace Strata
