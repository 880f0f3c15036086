#include "net/download/feed_link_discovery.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "html/parser.h"
#include "platform/url_combine.h"
#include "settings/settings_text.h"

namespace tarsel {

namespace {

// Combined addresses this long did not fit the platform's result buffer and were not used.
constexpr size_t kMaxCombinedLength = 1024;
constexpr std::string_view kLocalAggregatorSubscribe =
    "127.0.0.1:5335/system/pages/subscriptions?url=";
constexpr size_t kMinAnchorHrefLength = 5;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// Where the tags of one kind start: "<link" (or "<LINK" when the page has no lower-case one).
std::string_view TagOpening(std::string_view page, std::string_view lower, std::string_view upper) {
  return page.find(lower) != std::string_view::npos ? lower : upper;
}

// Calls `visit` with the attributes of each start tag that begins with `opening`, read up to its
// first '>' by the HTML reader; tags it rejects are passed over. Stops when `visit` returns true.
template <typename Visit>
void ForEachTag(std::string_view page, std::string_view opening, Visit visit) {
  size_t start = page.find(opening);
  while (start != std::string_view::npos) {
    size_t end = page.find('>', start);
    if (end == std::string_view::npos) return;
    HTML::NodeList nodes = HTML::Parse(page.substr(start, end + 1 - start));
    if (!nodes.empty() && !nodes.front().IsText() && visit(nodes.front())) return;
    start = page.find(opening, end + 1);
  }
}

// The types of the feeds the readers know: RSS (also as plain XML), Atom and JSON Feed.
bool IsFeedType(const std::string& type) {
  static constexpr std::string_view kFeedTypes[] = {
      "text/xml", "application/rss+xml", "application/atom+xml", "application/feed+json"};
  for (std::string_view known : kFeedTypes) {
    if (type.size() == known.size() &&
        std::equal(type.begin(), type.end(), known.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) == b;
        })) {
      return true;
    }
  }
  return false;
}

std::string FromLinkElements(std::string_view page, std::string_view page_url) {
  std::string found;
  ForEachTag(page, TagOpening(page, "<link", "<LINK"), [&](const HTML::Node& tag) {
    const std::string* type = tag.FindAttribute("type");
    const std::string* href = tag.FindAttribute("href");
    if (type == nullptr || href == nullptr || href->empty()) return false;
    if (!IsFeedType(*type)) return false;
    found = ResolveLink(*href, page_url);
    return true;
  });
  return found;
}

std::optional<std::string> FeedFromAnchor(std::string_view href, std::string_view page_url) {
  if (href.size() < kMinAnchorHrefLength) return std::nullopt;
  if (href.find(kLocalAggregatorSubscribe) != std::string_view::npos) {
    return PercentDecode(href.substr(href.find("url=") + 4));
  }
  if (!href.ends_with(".rss") && !href.ends_with(".rdf") && !href.ends_with(".xml")) {
    return std::nullopt;
  }
  if (!page_url.empty() && href.starts_with(page_url)) return std::string(href);
  if (href.starts_with("http://")) return std::nullopt;
  return ResolveLink(href, page_url);
}

std::string FromAnchors(std::string_view page, std::string_view page_url) {
  std::string found;
  ForEachTag(page, TagOpening(page, "<a", "<A"), [&](const HTML::Node& tag) {
    const std::string* href = tag.FindAttribute("href");
    if (href == nullptr) return false;
    std::optional<std::string> feed = FeedFromAnchor(*href, page_url);
    if (!feed) return false;
    found = std::move(*feed);
    return true;
  });
  return found;
}

}  // namespace

std::string DiscoverFeedLink(const char* page, size_t length, std::string_view page_url) {
  std::string_view text(page, length);
  std::string found = FromLinkElements(text, page_url);
  if (found.empty()) found = FromAnchors(text, page_url);
  return found;
}

std::string ResolveLink(std::string_view link, std::string_view page_url) {
  if (StartsWithNoCase(link, "http")) return std::string(link);
  std::optional<std::string> combined = CombineUrl(page_url, link);
  if (!combined || combined->size() >= kMaxCombinedLength) return std::string(link);
  return *combined;
}

}  // namespace tarsel
