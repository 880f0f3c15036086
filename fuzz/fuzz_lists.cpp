// Subscription lists: OPML, OCS directories and item lists, and the feed directory readers.

#include "fuzz_support.h"
#include "parse/lists/found_feed_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = tarsel::fuzz::Input(data, size);
  std::string error;
  tarsel::FoundFeedTree list;
  tarsel::ParseListBytes(bytes, list, error);
  tarsel::FoundFeedTree opml;
  tarsel::ParseOpmlBytes(bytes, opml, error);
  return 0;
}
