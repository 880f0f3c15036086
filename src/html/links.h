#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "html/node.h"
#include "platform/url_combine.h"

namespace tarsel::HTML {

// For every a and img element (at any depth), each href or src value that does not begin with
// "http" (any case) is replaced by its combination with `base_url`. A failed combination, one of
// 1024 characters or more, or one that would run script, leaves the value as it was.
void ResolveLinks(NodeList& nodes, std::string_view base_url);

// The same rule for one attribute at a time, against one base. One object per thread.
class LinkResolver {
 public:
  explicit LinkResolver(std::string_view base_url) : base_url_(base_url) {}

  // The new value of attribute `name` = `value` of an element of `kind`; nothing when it stays.
  std::optional<std::string> Resolve(TagKind kind, std::string_view name, std::string_view value);

 private:
  std::string base_url_;
  std::optional<UrlCombiner> combiner_;  // parsed at the first link that needs it
};

}  // namespace tarsel::HTML
