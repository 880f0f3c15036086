#pragma once

// Writing every column of the columns tree as an OPML file. The text is in the program's code
// page, which the header declares as windows-1251; lines end with a single LF. Main thread (it
// reads the columns tree).

#include <string>

#include "store/column_tree.h"

namespace tarsel {

// The whole OPML text: a head titled "Tarsel Feeds" and one outline per column, flattened in
// tree order (groups are not written), from the channel title, link and description (cut before
// its first double quote) and the column URL.
std::string OpmlExportText(const ColumnTree& tree);

// Replaces the file at `path` with OpmlExportText(tree); false when it cannot be written (an old
// file then stays as it was).
bool ExportOpml(const ColumnTree& tree, const std::string& path);

}  // namespace tarsel
