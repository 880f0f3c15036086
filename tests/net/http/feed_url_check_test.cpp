#include "net/http/feed_url_check.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsel::HTTP {
namespace {

TEST(FeedUrlCheckTest, OnlyHttpAndHttpsWithAHost) {
  const struct {
    std::string url;
    bool valid;
  } cases[] = {
      {"http://example.com/feed.xml", true},
      {"HTTPS://Example.com", true},
      {"http://user:pw@127.0.0.1:8080/rss?a=1&b=2", true},
      {"http://[::1]/feed", true},
      {"", false},
      {"example.com/feed.xml", false},
      {"ftp://example.com/feed.xml", false},
      {"file:///etc/passwd", false},
      {"feed://example.com/rss", false},
      {"http://", false},
      {"http:///feed.xml", false},
      {"http://user@/feed.xml", false},
      {"https://:443/feed.xml", false},
      {"http://example.com/\r\nHost: evil", false},
      {std::string("http://example.com/\0x", 21), false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidFeedUrl(c.url), c.valid) << c.url;
}

}  // namespace
}  // namespace tarsel::HTTP
