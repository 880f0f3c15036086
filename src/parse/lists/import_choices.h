#pragma once

// The choices of the feed import dialog without the dialog: which offered feeds a filter keeps,
// the columns made from the chosen ones, and the file a list downloaded from a URL is kept in.
// Texts are bytes in the program's code page. Main thread (CreateChosenColumns changes the
// columns tree); the others are pure.

#include <string>
#include <string_view>
#include <vector>

#include "parse/lists/found_feed_tree.h"
#include "store/column_tree.h"

namespace tarsel {

// The fields the dialog filters on, in the order of its combo box.
enum class FoundFeedFilter { kTitle, kItemContent, kUrl, kAll, kNoFilter };

// Every feed of the list and of its nested lists, depth first: a list's own feeds before those
// of its nested lists.
FoundFeedList FlattenFoundFeeds(const FoundFeedTree& list);

// The feeds whose chosen field contains `text` (case-sensitive): title, description, site
// address, any of the three; kNoFilter keeps every feed. Order is kept.
FoundFeedList FilterFoundFeeds(const FoundFeedList& feeds, FoundFeedFilter filter,
                               std::string_view text);

// Makes a column (with `defaults`, the feed address as URL, lowest free id) for each chosen
// feed under `parent` (the root when null). A feed whose address some column already has
// creates nothing; its DuplicateUrlMessage is returned, one per refused feed, in order.
std::vector<std::string> CreateChosenColumns(ColumnTree& tree, const FoundFeedList& chosen,
                                             ColumnGroup* parent,
                                             const NewColumnDefaults& defaults);

// The name a list downloaded from `url` is kept under: without a leading "http://", then
// without a leading "www.", cut before the first '.'. Slashes, backslashes and NULs become '_'
// and an empty name "list", so the file stays inside the folder it is joined to.
std::string ListFileNameFromUrl(std::string_view url);

}  // namespace tarsel
