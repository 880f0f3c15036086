#pragma once

// The tray entry's tooltip: the update queue's text ("Updating: %d In queue: %d" and "\n Unread
// Enrties - %d"), cut to the 63 characters the entry holds. No Qt here; any thread (pure
// functions). Texts are bytes in the program's code page (UTF-8 under a UTF-8 locale): the cut
// never splits a UTF-8 sequence.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarsel {

// The tray entry keeps at most this many characters of tooltip.
inline constexpr size_t kTooltipMaxCharacters = 63;

// The first `max_characters` characters of `text`; a UTF-8 lead byte and its continuation bytes
// count as one character and are kept or dropped together.
std::string CutToCharacters(std::string_view text, size_t max_characters);

// The queue's counters in the user's language: "Updating: %d In queue: %d" (the status bar's
// "Waiting:" pane, the tooltip's first line) and the tooltip with "\n Unread Enrties - %d"
// after it. Translated texts fill their slots without printf.
inline constexpr int kTextQueueStatus = 61501;
inline constexpr int kTextQueueUnread = 61502;
std::string QueueStatusText(int running, int waiting);
std::string QueueTooltipText(const std::string& status, int unread);

// The tooltip the tray entry shows for `text`.
inline std::string TrayTooltip(std::string_view text) {
  return CutToCharacters(text, kTooltipMaxCharacters);
}

}  // namespace tarsel
