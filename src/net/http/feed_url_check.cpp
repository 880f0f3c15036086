#include "net/http/feed_url_check.h"

#include <string>

#include "net/http/http_exception.h"
#include "net/http/url_parts.h"

namespace tarsel::HTTP {

namespace {

// libcurl reads "http:///feed" as host "feed"; the user wrote no host at all.
bool WritesAHost(std::string_view url) {
  const size_t scheme_end = url.find("://");
  if (scheme_end == std::string_view::npos) return false;
  std::string_view authority = url.substr(scheme_end + 3);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  const size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  return !authority.empty() && authority[0] != ':';
}

}  // namespace

bool IsValidFeedUrl(std::string_view url) {
  if (!WritesAHost(url)) return false;
  try {
    return !CrackUrl(std::string(url)).host.empty();
  } catch (const CHttpExeption&) {
    return false;
  }
}

}  // namespace tarsel::HTTP
