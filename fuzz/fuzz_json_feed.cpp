// JSON Feed bodies the way `tarsel-cli parse` takes them, as fuzz_feed does for XML (same first
// byte for the encoding setting). Bodies that the reader would not take for JSON are skipped, so
// the runs stay on the JSON reader: nothing of its cleaned channel may run script when shown,
// and the update's single parse of each description must give the same channel.

#include "fuzz_support.h"
#include "oracle/feed_pipeline.h"
#include "parse/feeds/json_values.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarsel;
  if (size == 0) return 0;
  const std::string_view body = fuzz::Input(data + 1, size - 1);
  if (!feeds::LooksLikeJsonFeed(body)) return 0;
  const std::string problem = testing::FeedBodyProblem(body, fuzz::EncodingSetting(data[0]));
  if (!problem.empty()) fuzz::Fail(problem);
  return 0;
}
