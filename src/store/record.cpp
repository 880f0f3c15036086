#include "store/record.h"

#include <ctime>

namespace tarsel {

int32_t NowSeconds() {
  return static_cast<int32_t>(std::time(nullptr));
}

Record::Record() : received(NowSeconds()), published(received) {}

RecordRef CopyRecord(const Record& record) {
  return std::make_shared<Record>(record);
}

void MarkRecordDeleted(Record& record) {
  record.deleted = true;
  record.persistent = false;
  record.unread = false;
  record.is_new = false;
}

}  // namespace tarsel
