#pragma once

// The texts the queue tick shows about the update queue: the status-bar text "Updating: %d In
// queue: %d" and the tray tooltip, which adds the unread count and is cut to the 63 characters
// the tray entry holds. No Qt here. Texts are bytes in the program's code page (UTF-8 under a
// UTF-8 locale; the cut never splits a UTF-8 sequence). One object per tray icon, used on the
// window thread only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

// String ids of the two formats (tray table).
inline constexpr int kStatusUpdatingFormatId = 63000;  // "Updating: %d In queue: %d"
inline constexpr int kTooltipUnreadFormatId = 63001;   // "\n Unread Enrties - %d"

// The tray entry keeps at most this many characters of tooltip.
inline constexpr size_t kTooltipMaxCharacters = 63;

// Replaces the "%d" marks of `format`, in order, by the numbers; marks beyond the numbers stay
// as they are, and no other mark is interpreted (a translated format is not trusted).
std::string FormatNumbers(std::string_view format, std::initializer_list<long long> numbers);

// The first `max_characters` characters of `text`; a UTF-8 lead byte and its continuation bytes
// count as one character and are kept or dropped together.
std::string CutToCharacters(std::string_view text, size_t max_characters);

struct QueueTexts {
  std::string status;   // "Updating: 1 In queue: 4"
  std::string tooltip;  // status + "\n Unread Enrties - 12", cut to kTooltipMaxCharacters
};

// The texts for the given numbers, from the string table's formats.
QueueTexts MakeQueueTexts(int updating, int waiting, int unread);

// Remembers the queue numbers shown last, so the tick refreshes the texts only when they change.
class QueueTextsTracker {
 public:
  // Queue tick: new texts when `updating` or `waiting` differ from the last shown (always on the
  // first call); nothing when both are unchanged, even if `unread` moved, so the tooltip keeps its
  // last text while no update runs.
  std::optional<QueueTexts> OnQueueTick(int updating, int waiting, int unread);

  // The unread count changed outside the queue (records marked read): the texts with the last
  // shown queue numbers; nothing before the first tick.
  std::optional<QueueTexts> OnUnreadChanged(int unread) const;

 private:
  std::optional<std::pair<int, int>> shown_;
};

}  // namespace tarsel
