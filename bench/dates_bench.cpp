// One date read, in each form feeds write, with TZ=America/New_York so that the local-time path
// asks a real zone with daylight saving. Items per second count dates.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "parse/dates/date_readers.h"

namespace tarsel {
namespace {

using Reader = int32_t (*)(std::string_view);

struct Form {
  const char* name;
  Reader reader;
  const char* pattern;  // %d is replaced by the day
};

// Dates in a feed's declared language, whose names are compared letter by letter.
int32_t ReadGreek(std::string_view text) {
  return ReadRfc822DateInLanguage(text, DateLanguageFor("el", kCodePageUtf8));
}
int32_t ReadKorean(std::string_view text) {
  return ReadRfc822DateInLanguage(text, DateLanguageFor("ko", kCodePageUtf8));
}

const Form kForms[] = {
    {"rfc822 GMT", ReadRfc822Date, "Mon, %d Jan 2004 10:20:30 GMT"},
    {"rfc822 offset", ReadRfc822Date, "Mon, %d Jan 2004 10:20:30 -0500"},
    {"rfc822 no zone", ReadRfc822Date, "Mon, %d Jan 2004 10:20:30"},
    {"iso Z", ReadIsoDate, "2004-01-%dT18:45:00Z"},
    {"iso offset", ReadIsoDate, "2004-01-%dT18:45:00.123+01:00"},
    {"iso no zone", ReadIsoDate, "2004-01-%dT18:45:00"},
    {"iso read as rfc822", ReadIsoDate, "Mon, %d Jan 2004 10:20:30 GMT"},
    {"stored bracket", ReadStoredDate, "[2004.01.%d 10:20]"},
    {"greek names", ReadGreek, "Δευ, %d Ιαν 2004 10:20:30 +0200"},
    {"korean year first", ReadKorean, "2004년 1월 %d일 오후 10:20"},
};

void BM_ReadDateForm(benchmark::State& state) {
  setenv("TZ", "America/New_York", 1);
  tzset();
  const Form& form = kForms[state.range(0)];
  std::vector<std::string> dates;
  for (int day = 10; day <= 28; ++day) {
    std::string text = form.pattern;
    text.replace(text.find("%d"), 2, std::to_string(day));
    dates.push_back(text);
  }
  for (auto _ : state) {
    for (const std::string& date : dates) benchmark::DoNotOptimize(form.reader(date));
  }
  state.SetLabel(form.name);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(dates.size()));
}
BENCHMARK(BM_ReadDateForm)->DenseRange(0, sizeof kForms / sizeof kForms[0] - 1);

}  // namespace
}  // namespace tarsel

BENCHMARK_MAIN();
