#pragma once

// Writing every column of the columns tree as an OPML file. The file is UTF-8, declared so:
// the texts are converted from the program's code page. Lines end with a single LF. Main thread
// (it reads the columns tree). An updating column is read under its lock once its worker lets
// go of it; a merge that keeps it longer than a moment makes the export fail rather than wait
// (see ColumnReadLock).

#include <memory>
#include <string>
#include <vector>

#include "store/column_tree.h"

namespace tarsel {

// The whole OPML text: a head titled "Tarsel Feeds" and one outline per column, flattened in
// tree order (groups are not written), from the channel title, link and description (cut before
// its first double quote) and the column URL. Empty when a column could not be read.
std::string OpmlExportText(const ColumnTree& tree, int code_page);

// Replaces the file at `path` with OpmlExportText(tree, code_page); false when that is empty or
// the file cannot be written (an old file then stays as it was).
bool ExportOpml(const ColumnTree& tree, const std::string& path, int code_page);

// The same for the given columns only (the columns of one group).
std::string OpmlExportText(const std::vector<std::shared_ptr<Column>>& columns, int code_page);
bool ExportOpml(const std::vector<std::shared_ptr<Column>>& columns, const std::string& path,
                int code_page);

}  // namespace tarsel
