#pragma once

// Records inside column and memories-column bodies of the store files. Records have no block
// of their own; which fields an older store carries depends on its version.

#include <cstddef>

#include "store/record.h"
#include "store/store_archive.h"

namespace tarsel {

// Writes `record` in the current layout.
void WriteRecord(StoreArchive& archive, const Record& record);
// Reads one record in the layout of archive.version(); the record is not new.
RecordRef ReadRecord(StoreArchive& archive);
// The fewest bytes one record takes in the layout of `version` (every string empty).
size_t MinRecordSize(int32_t version);
// Reads `count` records into `records`. Before each record the data must still be able to
// hold one; otherwise `damaged` is thrown (the count cannot be true).
void ReadRecords(StoreArchive& archive, int32_t count, RecordList& records, int32_t damaged);
// Older stores keep their records in list order; newer ones newest first by published time.
void SortNewestFirst(RecordList& records);

}  // namespace tarsel
