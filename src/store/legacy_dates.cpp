#include "store/legacy_dates.h"

#include "parse/dates/date_format.h"
#include "parse/dates/date_readers.h"

namespace tarsel {

std::string StoredDateText(int32_t time, int style) {
  return FormatDate(time, style);
}

int32_t StoredDateValue(const std::string& text) {
  return ReadStoredDate(text);
}

}  // namespace tarsel
