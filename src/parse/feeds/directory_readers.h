#pragma once

// Feed directory documents read by the subscription import: they append the feeds they offer to
// a list the caller owns. Texts are bytes as the document carried them. Any thread.

#include "parse/feeds/found_feed.h"
#include "parse/xml/xml_node.h"

namespace tarsel {

// An OCS directory: the root's first "rdf:description" (case ignored) lists one
// "rdf:description" per channel (site address in its "about"); each channel lists one
// "rdf:description" per format. Only channels offering the RSS 0.91 format are appended, with
// that format's "about" as the feed address and the channel's dc:description and dc:title.
void ParseOcsDirectory(const XMLParser::Node& root, FoundFeedList& list);

// An item list: every "item" child of the root with "url", "title" and "link" children is
// appended as {url, link, "", title}, except the aggregators' own entries "Moreover" and
// "NewsIsFree". False when the root has no children.
bool ParseDirectoryItems(const XMLParser::Node& root, FoundFeedList& list);

}  // namespace tarsel
