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

namespace {

void ReleaseSpareRoom(std::string& text) {
  // Small slack is the allocator's rounding anyway; reallocating for it gains nothing.
  constexpr size_t kTolerated = 32;
  if (text.capacity() - text.size() > kTolerated + text.size() / 16) text.shrink_to_fit();
}

}  // namespace

void ReleaseSpareRoom(Record& record) {
  for (std::string* text : {&record.title, &record.link, &record.summary, &record.comments,
                            &record.author, &record.subject, &record.guid, &record.description}) {
    ReleaseSpareRoom(*text);
  }
}

void MarkRecordDeleted(Record& record) {
  record.deleted = true;
  record.persistent = false;
  record.unread = false;
  record.is_new = false;
}

}  // namespace tarsel
