#pragma once

#include <map>
#include <string>

#include "tessel/host/ITypeRegistry.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// Numbers class identifiers from 1 in the order they are first registered.
class TypeRegistry : public Tessel::RefCounted<Tessel::ITypeRegistry> {
 public:
  Tessel::Status RegisterType(std::string_view classId, std::uint16_t* number) override {
    if (number == nullptr) {
      return Tessel::kFail;
    }
    auto [it, added] =
        numbers_.try_emplace(std::string(classId), static_cast<std::uint16_t>(numbers_.size() + 1));
    *number = it->second;
    return Tessel::kOk;
  }

 private:
  std::map<std::string, std::uint16_t, std::less<>> numbers_;
};

}  // namespace Strata
