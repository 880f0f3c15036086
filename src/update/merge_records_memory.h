#pragma once

// Giving back to the system the memory of the records a merge replaced.
//
// The records a column held were mostly made by another thread (the store loads on the main
// thread, each update on a worker of its own), so glibc frees them into that thread's arena,
// where the workers' new records cannot reuse the room, and it keeps such pages mapped: after
// every column has changed once, the process would hold the records twice. Any thread.

#include "store/record.h"

namespace tarsel {

// Drops `old_records` (the records nobody else holds are freed) and, once some megabytes were
// freed so since the last time, returns the free pages of every arena to the system.
void ReleaseReplacedRecords(RecordList old_records);

}  // namespace tarsel
