// Built-in English texts of the tray part of the desktop program.
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    {63000, "Updating: %d In queue: %d"},
    {63001, "\n Unread Enrties - %d"},
};
}  // namespace

std::span<const StringEntry> TrayStrings() {
  return kStrings;
}

}  // namespace tarsel
