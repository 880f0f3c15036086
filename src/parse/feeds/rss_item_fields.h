#pragma once

// The fields of an RSS item that come from more than one element, each with its precedence.
// Texts are bytes as the document carried them (entities still in place, except in enclosure
// addresses and types, which are attribute values). Any thread.

#include <string>
#include <vector>

#include "parse/dates/date_language.h"
#include "parse/xml/xml_node.h"
#include "store/record.h"

namespace tarsel::feeds {

// The most categories joined into a subject; an item listing more gets the first ones.
constexpr size_t kMaxCategories = 16;

// dc:creator, else dc:author, else author ("mail@example.com (Name)" gives the name), else
// itunes:author; of each, the name alone when it pairs one with a mail address (AuthorName).
// False, leaving `author` alone, when the item has none of them.
bool ReadRssAuthor(const XMLParser::Node& item, std::string& author);

// dc:subject, else the non-empty category texts joined with ", ", else the item's iTunes and
// Media RSS categories (AddExtensionCategories). False, leaving `subject` alone, when the item
// has none of them.
bool ReadRssSubject(const XMLParser::Node& item, std::string& subject);

// The link text; when the item has no link, or an empty one, its guid when isPermaLink does not
// say "false" and it is an http(s) address, or, `under_base` (an xml:base is in effect for the
// item), a relative path ("2004/01/05/tides.html"), which the clean-up resolves against it.
std::string ReadRssLink(const XMLParser::Node& item, bool under_base);

// pubDate (RFC 822), else dc:date, dcterms:modified, dcterms:issued, dcterms:created (W3C
// dates), else `fallback`; the month and meridiem names of the channel's `language` are read.
int32_t ReadRssPublished(const XMLParser::Node& item, int32_t fallback, DateLanguage language);

// The channel's language element, else its dc:language (RSS 1.0); empty when it has neither.
std::string_view RssChannelLanguage(const XMLParser::Node& channel);

// The item's enclosure elements, then its Media RSS files.
std::vector<Enclosure> ReadRssEnclosures(const XMLParser::Node& item, int code_page);

}  // namespace tarsel::feeds
