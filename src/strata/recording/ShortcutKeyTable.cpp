#include "strata/recording/ShortcutKeyTable.h"

#include "tessel/host/VirtualKeys.h"

namespace Strata {

std::vector<ShortcutKeyTable::Row> ShortcutKeyTable::Rows() const {
  std::vector<Row> rows;
  for (const ShortcutKeyManager::Listed& e : manager_.Entries()) {
    if (rows.empty() || rows.back().category != e.category) {
      rows.push_back(Row{true, e.category, {}, {}, {}});
    }
    rows.push_back(Row{false, e.category, e.command, e.entry.description, KeyText(e.entry.key)});
  }
  return rows;
}

int ShortcutKeyTable::FirstCommandOf(const std::string& category) const {
  const std::vector<Row> rows = Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].heading && (category.empty() || rows[i].category == category)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::string ShortcutKeyTable::Assign(const std::string& category, const std::string& command,
                                     std::uint32_t key) {
  if (manager_.CheckKey(key, category, command) != Tessel::kOk) {
    for (const ShortcutKeyManager::Listed& e : manager_.Entries()) {
      if (e.entry.key == key) {
        return KeyText(key) + " is already the key of \"" + e.command + "\" (" + e.category +
               "). Clear it there first.";
      }
    }
    return KeyText(key) + " cannot be given to \"" + command + "\".";
  }
  manager_.Assign(category, command, key);
  return {};
}

std::string ShortcutKeyTable::KeyText(std::uint32_t code) {
  const std::string name = Tessel::VirtualKeyName(code >> 16);
  if (code == 0 || name.empty()) {
    return {};
  }
  std::string text;
  if ((code & Tessel::kAccelControl) != 0) {
    text += "Ctrl+";
  }
  if ((code & Tessel::kAccelShift) != 0) {
    text += "Shift+";
  }
  if ((code & Tessel::kAccelAlt) != 0) {
    text += "Alt+";
  }
  return text + name;
}

}  // namespace Strata
