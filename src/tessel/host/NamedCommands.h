#pragma once

#include <span>

#include "tessel/host/ModuleAction.h"

namespace Tessel {

inline constexpr const char* kCommandCategory = "Tessel";
// How the host describes the parameter of a command that acts on a view.
inline constexpr const char* kViewParameterText =
    "ViewId,viewId - Id of the view the action is being performed on,\"Chart View\"";

struct NamedCommand {
  const char* name;
  const char* description;
  // Whether the command acts on a view and so carries the view's identity.
  bool viewParameter;
  ModuleAction action;
};

// The module's named commands, in the order they are registered.
std::span<const NamedCommand> NamedCommands();

}  // namespace Tessel
