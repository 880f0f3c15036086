#pragma once

// What a freshly parsed channel goes through before it is merged into its column.

#include <string_view>

#include "store/channel_info.h"

namespace tarsel {

// Cleans `channel` (the result of ParseFeed) in place:
// 0. the channel link, the image URL and every record's link and comments link lose a
//    script-running scheme (javascript:, vbscript:, data:; the address becomes empty), lose the
//    blanks and control characters around them, and the blanks, control characters, '"', '<'
//    and '>' inside them are percent-encoded;
// 1. entities are decoded in every record title, then in the channel title and description,
//    for the program's code page of the current settings;
// 2. every record's title, comments link and description are rewritten as cleaned HTML, their
//    relative links resolved against the channel link;
// 3. unless `charset_converted` (the download or ConvertBodyByDeclaration already converted the
//    body), under a single-byte program code page, a document declared
//    "koi8-r" or "iso-8859-2" is converted to Windows-1251 or Windows-1250: the channel title,
//    description and image title, and each record's title, author, subject, description and
//    summary. Links, comments links and guids are addresses and stay as they are.
// Any thread; touches nothing but `channel`.
void CleanParsedChannel(ChannelInfo& channel, bool charset_converted);

// ParseFeed, then CleanParsedChannel when it succeeded, with the same result, but with each
// description parsed once for both its summary and its cleaning. False when ParseFeed is.
bool ParseAndCleanFeed(std::string_view body, ChannelInfo& channel, bool charset_converted);

}  // namespace tarsel
