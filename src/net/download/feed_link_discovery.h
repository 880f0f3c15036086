#pragma once

// Finding the feed of a web page that was subscribed to instead of its feed.
// Pages and URLs are bytes in the program's code page. Any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarsel {

// The feed address a page announces, or empty. First the page's <link> elements: the first with
// type "text/xml", "application/rss+xml", "application/atom+xml" or "application/feed+json" (any
// case) and a non-empty href. Else its anchors, in page
// order: a subscribe link of the local desktop aggregator (its url= parameter, percent-decoded),
// or an href ending in ".rss", ".rdf" or ".xml" that is below `page_url` or relative (addresses
// on other sites are passed over). Relative addresses are resolved against `page_url`.
std::string DiscoverFeedLink(const char* page, size_t length, std::string_view page_url);
inline std::string DiscoverFeedLink(std::string_view page, std::string_view page_url) {
  return DiscoverFeedLink(page.data(), page.size(), page_url);
}

// `link` made absolute against `page_url`. A link that begins with "http" (any case) comes back
// unchanged, and so does one that cannot be combined (or whose combination would reach 1024
// bytes).
std::string ResolveLink(std::string_view link, std::string_view page_url);

}  // namespace tarsel
