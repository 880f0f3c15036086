#pragma once

// The base each record's relative links resolve against: its own xml:base, made absolute
// against the fallback when relative, else the fallback (the feed's own address, else the
// channel link). One object per channel being cleaned; one thread.

#include <optional>
#include <string>
#include <string_view>

#include "html/links.h"

namespace tarsel::feeds {

class RecordBases {
 public:
  explicit RecordBases(std::string_view fallback);

  // The resolver for a record whose xml:base is `base_url` (empty when it has none); nullptr
  // when no base is known at all. Valid until the next call.
  HTML::LinkResolver* ResolverFor(const std::string& base_url);

 private:
  std::string fallback_;
  std::optional<HTML::LinkResolver> fallback_resolver_;
  // Records of one feed mostly share their xml:base: the last one's resolver is kept.
  std::string last_base_url_;
  std::optional<HTML::LinkResolver> last_resolver_;
};

}  // namespace tarsel::feeds
