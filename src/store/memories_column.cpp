#include "store/memories_column.h"

#include <algorithm>

#include "store/record_io.h"
#include "store/store_archive.h"

namespace tarsel {

void MemoriesColumn::Serialize(StoreArchive& archive) {
  TreeNode::Serialize(archive);
  if (!archive.IsLoading()) {
    std::erase_if(records, [](const RecordRef& record) { return record->deleted; });
    archive.Write(static_cast<int32_t>(records.size()));
    for (const RecordRef& record : records) WriteRecord(archive, *record);
    return;
  }
  // The records have no block around them: a count the data cannot hold leaves no place to
  // go on from.
  int32_t count = archive.ReadInt32();
  if (count < 0) {
    // Damage, but the memories column stays, without records.
    archive.NoteDamage();
    count = 0;
  }
  ReadRecords(archive, count, records, CArchiveExeption::kBadData);
}

int32_t MemoriesColumn::TotalCount() const {
  return static_cast<int32_t>(std::count_if(
      records.begin(), records.end(), [](const RecordRef& record) { return !record->deleted; }));
}

void MemoriesColumn::AddCopyOf(const Record& record) {
  RecordRef copy = CopyRecord(record);
  copy->deleted = false;
  copy->unread = false;
  copy->is_new = false;
  records.push_back(std::move(copy));
}

}  // namespace tarsel
