#pragma once

#include <boost/intrusive_ptr.hpp>

#include "tessel/host/IUnknown.h"

namespace Tessel {

template <class T>
concept RefCountable = requires(T* p) {
  p->AddRef();
  p->Release();
};

template <RefCountable T>
void intrusive_ptr_add_ref(T* p) {
  p->AddRef();
}

template <RefCountable T>
void intrusive_ptr_release(T* p) {
  p->Release();
}

// A counted reference to an interface or to an object implementing several.
template <class T>
using Ref = boost::intrusive_ptr<T>;

// Takes over the reference an out-parameter handed back.
template <class T>
Ref<T> Adopt(T* p) {
  return Ref<T>(p, false);
}

// The interface T of obj, or an empty reference when obj does not implement it.
template <class T, class U>
Ref<T> QueryInterface(U* obj) {
  void* p = nullptr;
  if (obj == nullptr || obj->Query(T::kIid, &p) != kOk || p == nullptr) {
    return {};
  }
  return Adopt(static_cast<T*>(p));
}

template <class T, class U>
Ref<T> QueryInterface(const Ref<U>& obj) {
  return QueryInterface<T>(obj.get());
}

}  // namespace Tessel
