#include "update/merge_records_memory.h"

#include <atomic>
#include <cstddef>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tarsel {
namespace {

// Trimming walks every arena's free lists under its lock: worth it for megabytes, not for
// the few records of one column.
constexpr size_t kTrimEvery = size_t{16} << 20;

std::atomic<size_t> g_freed_since_trim{0};

size_t ApproximateSize(const Record& record) {
  size_t size = sizeof(Record);
  for (const std::string* text :
       {&record.title, &record.link, &record.summary, &record.comments, &record.author,
        &record.subject, &record.guid, &record.description}) {
    size += text->capacity();
  }
  return size;
}

}  // namespace

void ReleaseReplacedRecords(RecordList old_records) {
  size_t freed = 0;
  for (const RecordRef& record : old_records) {
    // A record a view still shows stays allocated.
    if (record.use_count() == 1) freed += ApproximateSize(*record);
  }
  old_records.clear();
  old_records.shrink_to_fit();
  if (g_freed_since_trim.fetch_add(freed) + freed < kTrimEvery) return;
  g_freed_since_trim = 0;
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace tarsel
