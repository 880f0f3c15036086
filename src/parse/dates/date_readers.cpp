#include "parse/dates/date_readers.h"

#include <ctime>
#include <initializer_list>

#include "parse/dates/date_fields.h"
#include "parse/dates/iso_scanner.h"
#include "parse/dates/rfc822_scanner.h"
#include "parse/dates/stored_date_reader.h"

namespace tarsel {

namespace {

using Scanner = std::optional<DateFields> (*)(std::string_view);

// The first scanner that reads the text with every field in range gives the time.
std::optional<int32_t> FirstReadable(std::string_view text, std::initializer_list<Scanner> order) {
  for (Scanner scan : order) {
    if (std::optional<DateFields> fields = scan(text)) {
      if (std::optional<int32_t> time = DateFieldsToTime(*fields)) return time;
    }
  }
  return std::nullopt;
}

int32_t CurrentTime() {
  return static_cast<int32_t>(std::time(nullptr));
}

}  // namespace

std::optional<int32_t> TryReadRfc822Date(std::string_view text) {
  return FirstReadable(text, {ScanRfc822Date, ScanIsoDate});
}

std::optional<int32_t> TryReadIsoDate(std::string_view text) {
  return FirstReadable(text, {ScanIsoDate, ScanRfc822Date});
}

std::optional<int32_t> TryReadStoredDate(std::string_view text) {
  return ReadLegacyStoredDate(text);
}

int32_t ReadRfc822Date(std::string_view text) {
  return TryReadRfc822Date(text).value_or(CurrentTime());
}

int32_t ReadIsoDate(std::string_view text) {
  return TryReadIsoDate(text).value_or(CurrentTime());
}

int32_t ReadStoredDate(std::string_view text) {
  return TryReadStoredDate(text).value_or(CurrentTime());
}

}  // namespace tarsel
