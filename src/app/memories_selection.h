#pragma once

// Keeping text selected in a browser pane (the record pane or a browser tab) as a record of a
// memories column. Main thread. Texts are bytes in the program's code page; the selection is
// HTML.

#include <string>

#include "store/memories_column.h"
#include "store/record.h"

namespace tarsel {

// The record made from a selection: description = the selected HTML, link and title = the
// page's address and title (both empty for the record pane). A record without a title takes
// the selection's plain text, blanks folded and shortened to about 50 bytes with "...".
// Null when the selection is empty.
RecordRef RecordFromSelection(const std::string& selected_html, const std::string& page_url,
                              const std::string& page_title);

// Adds the record of a selection to `target` as any record is added to memories. False (and
// nothing added) when the selection is empty.
bool AddSelectionToMemories(const std::string& selected_html, const std::string& page_url,
                            const std::string& page_title, MemoriesColumn& target);

}  // namespace tarsel
