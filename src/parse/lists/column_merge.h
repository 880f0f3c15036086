#pragma once

// Taking a whole subscription list over into the columns tree without asking. Main thread.

#include <cstddef>
#include <string>
#include <string_view>

#include "parse/lists/found_feed_tree.h"
#include "store/column_tree.h"

namespace tarsel {

struct MergeCounts {
  size_t added = 0;             // new columns
  size_t duplicates = 0;        // feeds skipped because a column already has their address
  size_t groups = 0;            // new groups
  size_t without_feed_url = 0;  // OPML outlines skipped because they name no feed address
};

// Merges `list` into `parent` (the root when null): a feed whose address is already some
// column's URL is skipped silently; every other feed becomes a new column (made with `defaults`)
// with that URL, named "New RSS Column" until its first update. A nested list becomes a group of
// the same name, reusing a group of that name already under the parent, and is merged into it the
// same way. New nodes take the lowest free ids. The list's own name is not used.
MergeCounts MergeFoundFeeds(ColumnTree& tree, const FoundFeedTree& list, ColumnGroup* parent,
                            const NewColumnDefaults& defaults);

// Parses OPML (the outlines of its "body", as ParseOpmlBytes reads them under the user's
// `encoding` choice) and merges them as MergeFoundFeeds does. False, with `error` set and the
// tree untouched, when the bytes are not well-formed XML.
bool LoadOpml(ColumnTree& tree, std::string_view bytes, ColumnGroup* parent,
              const NewColumnDefaults& defaults, EncodingChoice encoding, MergeCounts& counts,
              std::string& error);

}  // namespace tarsel
