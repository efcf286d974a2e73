#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "strata/recording/ShortcutKeyManager.h"

namespace Strata {

// What the Shortcut Key Manager shows and decides: every registered command under its
// category, with its description and key as text, and whether a key may be given to it.
class ShortcutKeyTable {
 public:
  struct Row {
    bool heading = false;  // a category's own row, above its commands
    std::string category;
    std::string command;  // empty on a heading
    std::string description;
    std::string key;  // "F2", "Ctrl+Shift+R"; empty for none
  };

  explicit ShortcutKeyTable(ShortcutKeyManager& manager) : manager_(manager) {}

  // The categories in order, each heading followed by its commands.
  std::vector<Row> Rows() const;
  // The row of a category's first command (of the first category for ""), or -1 for none.
  int FirstCommandOf(const std::string& category) const;

  // Gives the command the key (0 clears it). "" when done; otherwise the key stays where it was
  // and the answer says which command holds it.
  std::string Assign(const std::string& category, const std::string& command, std::uint32_t key);

  // A shortcut-key code as the user reads it: modifiers first, then the key.
  static std::string KeyText(std::uint32_t code);

 private:
  ShortcutKeyManager& manager_;
};

}  // namespace Strata
