// JSON Feed bodies the way `tarsel-cli parse` takes them, as fuzz_feed does for XML (same first
// byte for the encoding setting). Bodies that the reader would not take for JSON are skipped, so
// the runs stay on the JSON reader: nothing of its cleaned channel may run script when shown,
// and the update's single parse of each description must give the same channel.

#include "fuzz_support.h"
#include "oracle/feed_pipeline.h"
#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/json_values.h"

namespace {

constexpr tarsel::EncodingChoice kSettings[] = {
    tarsel::EncodingChoice::kAutomatic, tarsel::EncodingChoice::kWesternEurope,
    tarsel::EncodingChoice::kCyrillicWindows, tarsel::EncodingChoice::kCentralEuropean};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarsel;
  if (size == 0) return 0;
  const EncodingChoice choice = kSettings[data[0] % std::size(kSettings)];
  const std::string_view body = fuzz::Input(data + 1, size - 1);
  if (!feeds::LooksLikeJsonFeed(body)) return 0;
  if (const std::string difference = testing::DifferenceOfSingleParse(std::string(body), choice);
      !difference.empty()) {
    fuzz::Fail("one parse per description gives another " + difference);
  }
  const auto channel = testing::ParseBodyAsTheCliDoes(std::string(body), choice);
  if (!channel) return 0;
  if (const std::string risk = testing::FindChannelRisk(*channel); !risk.empty()) {
    fuzz::Fail(risk);
  }
  return 0;
}
