#pragma once

// The JSON form in which tarsel-cli prints channels and records. Texts are converted from the
// program's code page to UTF-8 with `code_page` (1250, 1251 or 1252: the display code page of
// the encoding setting); times are the stored seconds since 1970-01-01 UTC. Keys keep the order
// below, so the output is stable for golden files.

#include <nlohmann/json.hpp>

#include "store/channel_info.h"
#include "store/record.h"

namespace tarsel::cli {

// {"title","title_html","link","summary","comments","author","subject","guid","description",
//  "published","enclosures":[{"url","type","length"}]}: title is the text a person reads,
// title_html the stored (cleaned HTML) form; enclosures are read back from the description's
// enclosure block, length -1 when unknown.
nlohmann::ordered_json RecordToJson(const Record& record, int code_page);

// {"title","link","description","image_url","image_title","encoding","records":[...]}: the
// channel's title and description are kept as text.
nlohmann::ordered_json ChannelToJson(const ChannelInfo& channel, int code_page);

}  // namespace tarsel::cli
