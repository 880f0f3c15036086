#pragma once

// The second look at the records an exact (title, link) match left over. The same entry read by
// an older build of the feed readers may be stored with other bytes: entities left encoded,
// markup kept in the title, a relative link or none where the feed has a guid. Such a record is
// still the entry the user read, and must not come back as new.
//
// Two records are loosely the same when their titles read the same as text (markup stripped,
// entities decoded, runs of blanks collapsed, the few characters the older decoder wrote as
// ASCII look-alikes folded the same way) and their links agree once both are resolved against
// the same base: the entry's xml:base, the feed's own address or the channel link. A stored
// record without a link stands for its guid. A feed that reuses one title with different links
// keeps them apart. What the older readers could not read at all counts as unknown: a stored
// record without any address is known by its title; one whose title could not be read, and so
// was stored as the start of its summary, by that start and its address.
//
// Texts are bytes in the program's code page. Any thread; touches nothing but its arguments.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/record.h"

namespace tarsel {

// Where a feed's relative links point from.
struct FeedBases {
  std::string feed_url;      // the column's address
  std::string channel_link;  // the channel link of the parsed feed
};

// The title as the text a person reads: no markup, entities decoded for `code_page`, blanks
// collapsed to single spaces and trimmed.
std::string PlainTitleKey(std::string_view title_html, int code_page);

// Pairs of (position in `parsed`, position in `old_records`). Only parsed records whose
// `parsed_matched` entry is false and old records whose `old_taken` entry is false take part;
// each old record is paired at most once, with the earliest parsed record in feed order, and
// its `old_taken` entry is set.
std::vector<std::pair<size_t, size_t>> MatchLoosely(const RecordList& old_records,
                                                    std::vector<bool>& old_taken,
                                                    const RecordList& parsed,
                                                    const std::vector<bool>& parsed_matched,
                                                    const FeedBases& bases, int code_page);

}  // namespace tarsel
