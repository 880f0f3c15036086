// The messages of a failed update (the column's status in the tree, the list and the record
// pane) in the string table, so translations cover them; the English stays with the download.
#include <vector>

#include "net/download/failure_texts.h"
#include "view/string_table.h"

namespace tarsel {

std::span<const StringEntry> FailureStrings() {
  static const std::vector<StringEntry> entries = [] {
    std::vector<StringEntry> list;
    for (const failure_text::Piece& piece : failure_text::kAll)
      list.push_back({piece.id, piece.english});
    return list;
  }();
  return entries;
}

}  // namespace tarsel
