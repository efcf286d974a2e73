#pragma once

#include <atomic>
#include <cstdint>
#include <tuple>

#include "tessel/host/IUnknown.h"
#include "tessel/host/Ref.h"

namespace Tessel {

// Implements query, add reference and release for an object that offers the listed interfaces.
// The object starts with no reference; wrap it in a Ref at once (MakeRef) so it is counted.
template <class... Interfaces>
class RefCounted : public Interfaces... {
 public:
  std::uint32_t AddRef() override { return ++count_; }

  std::uint32_t Release() override {
    const std::uint32_t n = --count_;
    if (n == 0) {
      delete this;
    }
    return n;
  }

  Status Query(InterfaceId iid, void** out) override {
    if (out == nullptr) {
      return kFail;
    }
    *out = nullptr;
    if (iid == IUnknown::kIid) {
      *out = static_cast<IUnknown*>(static_cast<First*>(this));
    } else {
      ((*out == nullptr && iid == Interfaces::kIid ? (*out = static_cast<Interfaces*>(this), 0)
                                                   : 0),
       ...);
      if (*out == nullptr) {
        *out = QueryExtra(iid);
      }
    }
    if (*out == nullptr) {
      return kFail;
    }
    AddRef();
    return kOk;
  }

  std::uint32_t RefCount() const { return count_; }

 protected:
  RefCounted() = default;
  ~RefCounted() override = default;

  // Interfaces reached by other routes (a base interface of one of the listed ones).
  virtual void* QueryExtra(InterfaceId) { return nullptr; }

 private:
  using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;
  std::atomic<std::uint32_t> count_{0};
};

template <class T, class... Args>
auto MakeRef(Args&&... args) {
  return boost::intrusive_ptr<T>(new T(std::forward<Args>(args)...));
}

}  // namespace Tessel
