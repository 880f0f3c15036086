#pragma once

// Creating the node a store file's kind tag names.

#include <cstdint>

#include "store/store_archive.h"
#include "store/tree_node.h"

namespace tarsel {

// Which kind tags may create a node at one place of a store file.
struct AllowedKinds {
  bool group = true;
  bool column = true;
  bool memories_column = true;
};

// A fresh node for `tag`, or null when the tag names no node allowed here (nothing further
// is read for it then). Columns start with the options' new-column defaults.
TreeNodeRef CreateStoredNode(int32_t tag, const AllowedKinds& allowed, const StoreOptions& options);

}  // namespace tarsel
