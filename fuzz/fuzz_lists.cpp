// Subscription lists: OPML, OCS directories and item lists, and the feed directory readers. The
// input's length picks the encoding setting the lists are converted by (so that the corpus stays
// plain documents).

#include <iterator>

#include "fuzz_support.h"
#include "parse/charsets/encoding_choice.h"
#include "parse/lists/found_feed_tree.h"

namespace {

constexpr tarsel::EncodingChoice kSettings[] = {
    tarsel::EncodingChoice::kAutomatic, tarsel::EncodingChoice::kWesternEurope,
    tarsel::EncodingChoice::kCyrillicWindows, tarsel::EncodingChoice::kCentralEuropean};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarsel::EncodingChoice encoding = kSettings[size % std::size(kSettings)];
  const std::string_view bytes = tarsel::fuzz::Input(data, size);
  std::string error;
  tarsel::FoundFeedTree list;
  tarsel::ParseListBytes(bytes, list, error, encoding);
  tarsel::FoundFeedTree opml;
  tarsel::ParseOpmlBytes(bytes, opml, error, encoding);
  return 0;
}
