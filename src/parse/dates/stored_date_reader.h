#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarsel {

// The reader old column stores were written for, kept as it was so that every stored date reads
// back as it always has. It searches, in this order:
//   the bracket form "[2004.01.05 10:20]" (also without brackets and without the time);
//   "2004-01-05T10:20" (the 'T', hour and minute required; seconds and zone ignored);
//   "Mon, 05 Jan 2004 10:20:30 " (comma, seconds and a following blank required; a two- or
//   three-digit year counts from 2000; seconds and zone ignored).
// Each is read as local time; fields out of range carry over as mktime carries them; a time
// the 32-bit store cannot hold gives -1. nullopt when none of the forms occurs.
std::optional<int32_t> ReadLegacyStoredDate(std::string_view text);

}  // namespace tarsel
