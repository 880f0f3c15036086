// Built-in English texts of the tray part of the desktop program.
#include "update/update_notifications.h"
#include "view/string_table.h"
#include "view/tray_tooltip.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    {kNoticeLineTextId, kNoticeLineText},
    {kTextQueueStatus, "Updating: %d In queue: %d"},
    {kTextQueueUnread, "\n Unread Enrties - %d"},
};
}  // namespace

std::span<const StringEntry> TrayStrings() {
  return kStrings;
}

}  // namespace tarsel
