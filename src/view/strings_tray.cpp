// Built-in English texts of the tray part of the desktop program.
#include "update/update_notifications.h"
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    {kNoticeLineTextId, kNoticeLineText},
};
}  // namespace

std::span<const StringEntry> TrayStrings() {
  return kStrings;
}

}  // namespace tarsel
