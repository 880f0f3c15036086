#pragma once

#include <optional>
#include <string_view>

#include "parse/dates/date_fields.h"
#include "parse/dates/date_language.h"

namespace tarsel {

// The dates of languages that write the year first and mark the year and the day, with the
// month's name between them (DateNames::year_mark, day_mark):
//   "2024. december 3. 10:00", "2024. dec. 3., kedd du. 10:00:00 +0100" (Hungarian);
//   "2024년 12월 3일 오후 10:00", "2024년 12월 3일 (화) 22:00" (Korean).
// A weekday after the day (in parentheses or not) is skipped; the time is optional, with the
// language's meridiem word before or after it; a zone may end the text as in the mail forms.
// nullopt without a language, for a language without such a form, or when the text is not in
// it; the fields are not range-checked.
std::optional<DateFields> ScanYearFirstDate(std::string_view text, DateLanguage language);

}  // namespace tarsel
