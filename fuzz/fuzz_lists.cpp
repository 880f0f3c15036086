// Subscription lists: OPML, OCS directories and item lists, and the feed directory readers. The
// input's length picks the encoding setting the lists are converted by (so that the corpus stays
// plain documents).

#include "fuzz_support.h"
#include "parse/lists/found_feed_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarsel::EncodingChoice encoding = tarsel::fuzz::EncodingSetting(size);
  const std::string_view bytes = tarsel::fuzz::Input(data, size);
  std::string error;
  tarsel::FoundFeedTree list;
  tarsel::ParseListBytes(bytes, list, error, encoding);
  tarsel::FoundFeedTree opml;
  tarsel::ParseOpmlBytes(bytes, opml, error, encoding);
  return 0;
}
