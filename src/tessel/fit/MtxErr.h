#pragma once

#include <exception>
#include <string>
#include <utility>

namespace ExtLib {

// Raised by the matrix code; the only message is "Singular".
class MtxErr : public std::exception {
 public:
  explicit MtxErr(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

inline constexpr const char* kMtxSingular = "Singular";

}  // namespace ExtLib
