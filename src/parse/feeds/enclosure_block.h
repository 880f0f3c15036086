#pragma once

// The block of HTML that carries a record's enclosures in its description: the store keeps no
// other place for them, the record pane shows it (a player for audio and video, the picture for
// images, a link with type and size for all), and tarsel-cli reads them back from it.
//
//   <div class="enclosures"><div class="enclosure">PLAYER<a class="enclosure-link" href="URL"
//   type="MIME" data-length="N" title="TITLE">TITLE or NAME</a>
//   <span class="enclosure-info">(MIME, SIZE)</span></div>...</div>
//
// PLAYER is an <audio>, <video> or <img> element for such types and nothing otherwise; type,
// data-length, title and the info parts are left out when unknown; NAME is the file name of URL. Addresses must already be safe and
// absolute (the clean-up makes them so); attribute values are escaped here. Bytes in the
// program's code page. Any thread.

#include <string>
#include <string_view>
#include <vector>

#include "store/record.h"

namespace tarsel::feeds {

// The most enclosures one record shows; further ones are dropped.
constexpr size_t kMaxEnclosures = 20;

// The block for `enclosures` (at most kMaxEnclosures of them, those with an empty URL skipped);
// empty when none is left.
std::string WriteEnclosureBlock(const std::vector<Enclosure>& enclosures);

// Whether `description` already ends with, or holds, a block written by WriteEnclosureBlock.
bool HoldsEnclosureBlock(std::string_view description);

// The enclosures of the block in `description`, in order; none when it holds no block.
std::vector<Enclosure> ReadEnclosureBlock(std::string_view description);

// "512 bytes", "12.3 KB", "4.0 MB"; empty for a negative or zero length.
std::string HumanSize(int64_t length);

}  // namespace tarsel::feeds
