#include "strata/storage/TesselDocumentClass.h"

#include "strata/recording/ChartDocument.h"
#include "tessel/document/Document.h"
#include "tessel/host/ITesselDoc.h"

namespace Strata {

ChildDocumentClass TesselDocumentClass() {
  return ChildDocumentClass{kTesselDocumentClassName,
                            [](ChartDocument& chart) -> Tessel::Ref<Tessel::IChildDocument> {
                              return Tessel::Document::Create(&chart);
                            },
                            [](Tessel::IChildDocument* child) {
                              return Tessel::QueryInterface<Tessel::ITesselDoc>(child) != nullptr;
                            }};
}

}  // namespace Strata
