#pragma once

// What a freshly parsed channel goes through before it is merged into its column.

#include <string_view>

#include "parse/feeds/record_fields.h"
#include "store/channel_info.h"

namespace tarsel {

// Cleans `channel` (the result of ParseFeed) in place, in this order:
// 1. unless `charset_converted` (the download or ConvertBodyByDeclaration already converted the
//    body), under a single-byte program code page, a document declared "koi8-r" or
//    "iso-8859-2" is converted to Windows-1251 or Windows-1250: the channel title, description
//    and image title, and each record's title, author, subject, description and summary.
//    Addresses (links, comments links, guids, xml:base, enclosures) keep their bytes;
// 2. the channel link, the image URL and every record's link, comments link, xml:base and
//    enclosure addresses lose a script-running scheme (javascript:, vbscript:, data:; the
//    address becomes empty), lose the blanks and control characters around them, and the
//    blanks, control characters, '"', '<' and '>' inside them are percent-encoded;
// 3. entities are decoded in every record title, author and subject, then in the channel title
//    and description, for the program's code page (read.code_page); a channel title or
//    description holding markup or references is then read as HTML and only its text kept;
// 4. every record's link, comments link and enclosure addresses are made absolute, and its
//    title, comments link and description rewritten as cleaned HTML with their relative links
//    resolved: against the record's xml:base, else `feed_url` (the feed's own address after
//    redirects, when known), else the channel link; the channel's image URL against `feed_url`,
//    else the channel link (the readers resolved it against the channel's xml:base already);
// 5. a record's enclosures are appended to its description as the block of enclosure_block.h,
//    after its summary was made, and not when the description held one already.
// Any thread; touches nothing but `channel`.
// Summaries are made with read.summary_lines.
void CleanParsedChannel(ChannelInfo& channel, bool charset_converted,
                        const feeds::ReadSettings& read, std::string_view feed_url = {});

// ParseFeed, then CleanParsedChannel when it succeeded, with the same result, but with each
// description parsed once for both its summary and its cleaning. False when ParseFeed is.
bool ParseAndCleanFeed(std::string_view body, ChannelInfo& channel, bool charset_converted,
                       const feeds::ReadSettings& read, std::string_view feed_url = {});

}  // namespace tarsel
