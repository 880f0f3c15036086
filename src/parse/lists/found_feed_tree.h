#pragma once

// Subscription lists read from OPML, OCS and item-list documents, and their merge into the
// columns tree. Texts are bytes in the program's code page (OPML declared as UTF-8 is
// converted by the user's encoding choice, which the caller gives). Any thread for reading; merging
// is main-thread work, as every change of the columns tree.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/found_feed.h"
#include "parse/xml/xml_node.h"

namespace tarsel {

// An ordered list of offered feeds with nested named lists (OPML folders).
struct FoundFeedTree {
  std::string name;
  FoundFeedList feeds;
  std::vector<FoundFeedTree> lists;
  // OPML outlines read into this list but not offered: they name no feed address.
  size_t without_feed_url = 0;

  // Feeds here and in every nested list.
  size_t TotalFeeds() const;
  // without_feed_url here and in every nested list.
  size_t TotalWithoutFeedUrl() const;
};

// The top list of a file import and of a directory import.
inline constexpr char kImportedFileListName[] = "imported column";
inline constexpr char kImportedDirectoryListName[] = "imported columns";

// The name of a column made from an offered feed, as the new-column dialog proposes it; the
// column's first update replaces it by the channel title.
inline constexpr char kImportedColumnName[] = "New RSS Column";

// Folders nested deeper than this below the list they are read into are flattened: their feeds
// go into the list at this depth, their own names are dropped. Keeps recursion and the depth of
// the groups a merge creates small whatever the document holds.
inline constexpr int kMaxListNesting = 64;

// Appends the "outline" children of `element` to `list`. A leaf outline is offered when its
// "xmlurl" is set ({htmlurl, which may be empty, xmlurl, description, text or else title}),
// otherwise counted in without_feed_url; a folder outline named by its "title" (or else its
// "text") becomes a nested list, the outlines of one without a name are read into `list`. (htmlUrl
// is optional in OPML, and a column exported before its first update has no site address.)
// Attribute values have their character references decoded for the program's code page of the
// user's `encoding` choice; when `document_encoding` is "utf-8" texts that are valid UTF-8 are
// converted by that choice.
void ParseOpmlOutlines(const XMLParser::Node& element, FoundFeedTree& list,
                       std::string_view document_encoding, EncodingChoice encoding);

// Reads a list document already parsed: an OCS directory when the root has a child
// "rdf:description" (any case), an item list when the root is "feedlists", otherwise OPML (the
// root's child "body", any case). Appends what it offers to `list`.
void ReadListDocument(const XMLParser::Node& root, std::string_view document_encoding,
                      FoundFeedTree& list, EncodingChoice encoding);

// Parses `bytes` and reads them as ReadListDocument does. False, with `error` set and `list`
// untouched, when the bytes are not well-formed XML.
bool ParseListBytes(std::string_view bytes, FoundFeedTree& list, std::string& error,
                    EncodingChoice encoding);

// The same for OPML alone: the outlines of the root's child "body" (any case), whatever the
// root is called.
bool ParseOpmlBytes(std::string_view bytes, FoundFeedTree& list, std::string& error,
                    EncodingChoice encoding);

}  // namespace tarsel
