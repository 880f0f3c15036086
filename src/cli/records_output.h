#pragma once

// How tarsel-cli prints rows of records, the same for `records` and `memories ID`: as text,
// two lines a record ("UNPD [stamp] Title", then the link), or as one JSON object
// {"column": ID, "records": [...], "empty_text"?}. Feed text is made terminal-safe; a title
// never spans more than its row. Main thread.

#include <cstdint>

#include "cli/column_store_session.h"
#include "view/records_view_model.h"

namespace tarsel::cli {

// The view's empty text stands instead of rows when there are none.
void PrintRecordRows(int32_t node_id, const RecordsViewModel& view, bool json,
                     const ColumnStoreSession& session);

}  // namespace tarsel::cli
