#pragma once

// Reading a downloaded feed body into the channel data and records of a column.
//
// Bodies are bytes in the program's code page (or, before the merge converts them, in the
// encoding the document declares). Nothing here throws; a body that cannot be read is a false
// result. Any thread; the caller gives the summary line limit and the code page
// (feeds::ReadSettings).

#include <cstddef>
#include <string_view>

#include "parse/feeds/record_fields.h"
#include "parse/xml/xml_node.h"
#include "store/channel_info.h"

namespace tarsel {

// Whether the body looks like a feed rather than a web page: it holds "<rss" or "<?xml", or both
// "<rdf:RDF" and "<channel" (case-sensitive, anywhere), or it opens a JSON object that names
// jsonfeed.org. XHTML pages count as feeds here.
bool IsFeedDocument(const char* bytes, size_t length);
inline bool IsFeedDocument(std::string_view body) {
  return IsFeedDocument(body.data(), body.size());
}

// Parses the body and appends its records to `channel`, with the declared encoding (lower case,
// "Automatic" when none; "utf-8" for JSON) in channel.encoding. A body that opens a JSON object
// naming jsonfeed.org is read by ParseJsonFeed. Of XML documents, a root "feed" in the Atom 0.3
// namespace (or with a 0.x version and no namespace) is read by ParseAtom, any other "feed" root,
// and a prefixed one in the Atom 1.0 namespace, by ParseAtom10; anything else by ParseRss. False
// when the body is not well-formed XML (the channel is then untouched) or when the reader returns
// false. See feeds::ReadSettings for summaries left to the clean-up.
bool ParseFeed(std::string_view body, ChannelInfo& channel, const feeds::ReadSettings& read);

// RSS 0.9x, 2.0 and RDF. False, touching nothing, when the root has no "channel" child.
bool ParseRss(const XMLParser::Node& root, ChannelInfo& channel, const feeds::ReadSettings& read);

// Atom 0.3. False only for the null node.
bool ParseAtom(const XMLParser::Node& root, ChannelInfo& channel, const feeds::ReadSettings& read);

// Atom 1.0, its elements in the root's namespace ("feed", or "atom:feed" with its prefix). False
// only for the null node.
bool ParseAtom10(const XMLParser::Node& root, ChannelInfo& channel,
                 const feeds::ReadSettings& read);

// JSON Feed 1.0 and 1.1: a JSON object whose "version" starts "https://jsonfeed.org/version/".
// False, touching nothing, for any other body. Texts come out in read.code_page.
bool ParseJsonFeed(std::string_view body, ChannelInfo& channel, const feeds::ReadSettings& read);

}  // namespace tarsel
