#pragma once

#include <cstdint>

#include "tessel/host/IPersistStream.h"
#include "tessel/host/IUnknown.h"

namespace Tessel {

// Save modes the host passes before a save.
inline constexpr std::int32_t kSaveNormal = 0;
inline constexpr std::int32_t kSaveAs = 1;
inline constexpr std::int32_t kSaveDataOnly = 2;  // only the samples are kept

// File formats the host can save in.
inline constexpr std::int32_t kFormatStrata = 0;
inline constexpr std::int32_t kFormatRestricted = 1;  // a format that keeps no extension data

// Stream kinds.
inline constexpr std::int32_t kStreamKindState = 2;

// An extension's document kept as a child of a chart document; the host drives its life.
class IChildDocument : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IChildDocument";

  virtual Status Close() = 0;
  virtual Status GetPersistObject(std::int32_t index, std::int32_t kind, IPersistStream** out) = 0;
  // After creation, and after a load; loaded tells whether a stream was read.
  virtual Status Initialise() = 0;
  // kFail (cancel) stops the save.
  virtual Status BeforeSave(std::int32_t saveMode, std::int32_t fileFormat) = 0;
};

}  // namespace Tessel
