#pragma once

// A feed offered for subscription by a directory file, a list or a search. Texts are bytes in the
// program's code page, as the directory document carried them.

#include <string>
#include <vector>

namespace tarsel {

struct FoundFeed {
  std::string site_url;
  std::string feed_url;
  std::string description;
  std::string title;

  bool operator==(const FoundFeed&) const = default;
};

using FoundFeedList = std::vector<FoundFeed>;

}  // namespace tarsel
