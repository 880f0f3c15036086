#pragma once

// Text dropped on the columns tree: a feed address becomes a new column. Main thread. Texts
// are bytes in the program's code page.

#include <memory>
#include <string>

#include "store/column_tree.h"

namespace tarsel {

enum class DropOutcome {
  kIgnored,    // not a feed address (it does not end with ".rss", ".rdf" or ".xml")
  kDuplicate,  // a column has that address already; `message` tells the user
  kAdded,      // appended at the end of the top level
};

struct DropResult {
  DropOutcome outcome = DropOutcome::kIgnored;
  std::shared_ptr<Column> column;  // kAdded
  std::string message;             // kDuplicate: "There is aready rss column with such URL\n..."
};

// The dropped text without surrounding blanks and line ends (a dragged link often ends with
// one) is the address. A new column is named "Droped RSS Column", takes the tree's lowest free
// id and the `defaults` of new columns.
DropResult AddDroppedColumn(ColumnTree& tree, const std::string& dropped_text,
                            const NewColumnDefaults& defaults);

}  // namespace tarsel
