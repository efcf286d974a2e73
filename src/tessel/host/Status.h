#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace Tessel {

// What every operation across the host boundary returns. The values are the host's own, so a
// status can be logged or compared by number on either side.
using Status = std::int32_t;

inline constexpr Status kOk = 0;
inline constexpr Status kFalse = 1;  // nothing to do, no data
inline constexpr Status kFail = static_cast<Status>(0x80004005u);
inline constexpr Status kNotImplemented = static_cast<Status>(0x80004001u);

// Framework error codes raised inside the module; they become kFail at the boundary.
inline constexpr std::uint32_t kErrCancel = 0xA004820Fu;         // refused change, cancelled save
inline constexpr std::uint32_t kErrStreamVersion = 0xA0048205u;  // unreadable stream version
inline constexpr std::uint32_t kErrStringFormat = 0xA0048203u;   // bad string or check word

inline bool Succeeded(Status s) {
  return s >= 0;
}
inline bool Failed(Status s) {
  return s < 0;
}

// A refused change, a cancelled save or an unreadable stream inside the module. Never crosses the
// host boundary: the operation that catches it returns kFail.
class FrameworkError : public std::runtime_error {
 public:
  explicit FrameworkError(std::uint32_t code) : std::runtime_error(Describe(code)), code_(code) {}
  std::uint32_t Code() const { return code_; }

  static std::string Describe(std::uint32_t code) {
    switch (code) {
      case kErrCancel:
        return "the operation was cancelled";
      case kErrStreamVersion:
        return "the stream has a version this program cannot read";
      case kErrStringFormat:
        return "the stream holds a malformed string";
      default:
        return "framework error";
    }
  }

 private:
  std::uint32_t code_;
};

}  // namespace Tessel
