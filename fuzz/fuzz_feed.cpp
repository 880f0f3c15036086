// A downloaded body the way `tarsel-cli parse` takes it: feed link discovery for pages, then
// parsing and cleaning. Nothing of the cleaned channel may run script when shown, and the
// update's single parse of each description must give the same channel.

#include "fuzz_support.h"
#include "net/download/feed_link_discovery.h"
#include "oracle/feed_pipeline.h"
#include "parse/feeds/feed_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarsel;
  const std::string_view body = fuzz::Input(data, size);
  if (!IsFeedDocument(body)) (void)DiscoverFeedLink(body, "http://site/page.html");
  if (const std::string difference = testing::DifferenceOfSingleParse(std::string(body));
      !difference.empty()) {
    fuzz::Fail("one parse per description gives another " + difference);
  }
  const auto channel = testing::ParseBodyAsTheCliDoes(std::string(body));
  if (!channel) return 0;
  if (const std::string risk = testing::FindChannelRisk(*channel); !risk.empty()) {
    fuzz::Fail(risk);
  }
  return 0;
}
