#include "tessel/host/ClassObject.h"

namespace Tessel {

Status ClassObject::CreateInstance(IChartDocument* parent, IUnknown** out) {
  if (out == nullptr) {
    return kFail;
  }
  *out = nullptr;
  Ref<IUnknown> object = factory_ ? factory_(parent) : Ref<IUnknown>();
  if (!object) {
    return kFail;
  }
  *out = object.detach();
  return kOk;
}

}  // namespace Tessel
