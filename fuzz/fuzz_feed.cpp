// A downloaded body the way `tarsel-cli parse` takes it: feed link discovery for pages, then
// parsing and cleaning. Nothing of the cleaned channel may run script when shown, and the
// update's single parse of each description must give the same channel. The first byte picks
// the encoding setting (its value modulo 4: automatic, Western Europe, Cyrillic Windows,
// Central European), the rest is the body, so documents declared koi8-r or iso-8859-2 take the
// single-byte tables under the last three.

#include "fuzz_support.h"
#include "net/download/feed_link_discovery.h"
#include "oracle/feed_pipeline.h"
#include "parse/feeds/feed_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarsel;
  if (size == 0) return 0;
  const std::string_view body = fuzz::Input(data + 1, size - 1);
  if (!IsFeedDocument(body)) (void)DiscoverFeedLink(body, "http://site/page.html");
  const std::string problem = testing::FeedBodyProblem(body, fuzz::EncodingSetting(data[0]));
  if (!problem.empty()) fuzz::Fail(problem);
  return 0;
}
