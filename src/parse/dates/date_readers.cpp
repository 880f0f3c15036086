#include "parse/dates/date_readers.h"

#include <ctime>
#include <initializer_list>

#include "parse/dates/date_fields.h"
#include "parse/dates/iso_scanner.h"
#include "parse/dates/rfc822_scanner.h"
#include "parse/dates/stored_date_reader.h"
#include "parse/dates/year_first_scanner.h"

namespace tarsel {

namespace {

using Scanner = std::optional<DateFields> (*)(std::string_view, DateLanguage);

std::optional<DateFields> ScanIso(std::string_view text, DateLanguage) {
  return ScanIsoDate(text);
}

// The first scanner that reads the text with every field in range gives the time. The
// year-first forms, which only a language's names make, come last: they read only what the
// mail and ISO forms leave.
std::optional<int32_t> FirstReadable(std::string_view text, DateLanguage language,
                                     std::initializer_list<Scanner> order) {
  for (Scanner scan : order) {
    if (std::optional<DateFields> fields = scan(text, language)) {
      if (std::optional<int32_t> time = DateFieldsToTime(*fields)) return time;
    }
  }
  return std::nullopt;
}

int32_t CurrentTime() {
  return static_cast<int32_t>(std::time(nullptr));
}

}  // namespace

std::optional<int32_t> TryReadRfc822DateInLanguage(std::string_view text, DateLanguage language) {
  return FirstReadable(text, language, {ScanRfc822Date, ScanIso, ScanYearFirstDate});
}

std::optional<int32_t> TryReadIsoDateInLanguage(std::string_view text, DateLanguage language) {
  return FirstReadable(text, language, {ScanIso, ScanRfc822Date, ScanYearFirstDate});
}

std::optional<int32_t> TryReadStoredDate(std::string_view text) {
  return ReadLegacyStoredDate(text);
}

int32_t ReadRfc822DateInLanguage(std::string_view text, DateLanguage language) {
  return TryReadRfc822DateInLanguage(text, language).value_or(CurrentTime());
}

int32_t ReadIsoDateInLanguage(std::string_view text, DateLanguage language) {
  return TryReadIsoDateInLanguage(text, language).value_or(CurrentTime());
}

std::optional<int32_t> TryReadRfc822Date(std::string_view text) {
  return TryReadRfc822DateInLanguage(text, {});
}

std::optional<int32_t> TryReadIsoDate(std::string_view text) {
  return TryReadIsoDateInLanguage(text, {});
}

int32_t ReadRfc822Date(std::string_view text) {
  return ReadRfc822DateInLanguage(text, {});
}

int32_t ReadIsoDate(std::string_view text) {
  return ReadIsoDateInLanguage(text, {});
}

int32_t ReadStoredDate(std::string_view text) {
  return TryReadStoredDate(text).value_or(CurrentTime());
}

}  // namespace tarsel
