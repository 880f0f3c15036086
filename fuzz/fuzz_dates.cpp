// The date readers, and the formats of what they read.

#include "fuzz_support.h"
#include "parse/dates/date_format.h"
#include "parse/dates/date_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarsel;
  const std::string_view text = fuzz::Input(data, size);
  // Feed dates are clamped into what the store holds; a negative one has wrapped somewhere.
  for (auto read : {TryReadRfc822Date, TryReadIsoDate}) {
    if (const std::optional<int32_t> time = read(text); time && *time < 0) {
      fuzz::Fail("feed date below 0", text);
    }
  }
  // The names of each language with a table, in the code pages its texts may arrive in.
  for (const char* tag : {"el", "hu", "ko"}) {
    for (int code_page : {kCodePageUtf8, 1250, 1251, 1252}) {
      const DateLanguage language = DateLanguageFor(tag, code_page);
      for (auto read : {TryReadRfc822DateInLanguage, TryReadIsoDateInLanguage}) {
        if (const std::optional<int32_t> time = read(text, language); time && *time < 0) {
          fuzz::Fail("feed date in a language below 0", text);
        }
      }
    }
  }
  for (auto read : {TryReadRfc822Date, TryReadIsoDate, TryReadStoredDate}) {
    if (const std::optional<int32_t> time = read(text)) {
      for (int style = 0; style <= 9; ++style) (void)FormatDate(*time, style);
      (void)FormatRecordStamp(*time);
    }
  }
  return 0;
}
