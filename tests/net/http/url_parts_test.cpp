#include "net/http/url_parts.h"

#include <gtest/gtest.h>

#include "net/http/http_exception.h"

namespace tarsel::HTTP {
namespace {

int CrackCode(const std::string& url) {
  try {
    CrackUrl(url);
    return 0;
  } catch (const CHttpExeption& error) {
    return error.Code();
  }
}

TEST(UrlPartsTest, SplitsTheParts) {
  CUrlParts parts = CrackUrl("http://Example.COM/dir/feed.xml?a=1&b=2#top");
  EXPECT_EQ(parts.url, "http://Example.COM/dir/feed.xml?a=1&b=2#top");
  EXPECT_EQ(parts.scheme, UrlScheme::kHttp);
  EXPECT_EQ(parts.host, "Example.COM");
  EXPECT_EQ(parts.port, 80);
  EXPECT_EQ(parts.path, "/dir/feed.xml");
  EXPECT_EQ(parts.extra_info, "?a=1&b=2");
  EXPECT_EQ(parts.fetch_url, "http://Example.COM/dir/feed.xml?a=1&b=2");
}

TEST(UrlPartsTest, PortsFollowTheUrl) {
  struct Case {
    const char* url;
    UrlScheme scheme;
    int port;
  } cases[] = {
      {"http://h/", UrlScheme::kHttp, 80},        {"http://h:8080/", UrlScheme::kHttp, 8080},
      {"https://h/", UrlScheme::kHttps, 443},     {"https://h:8443/x", UrlScheme::kHttps, 8443},
      {"HTTPS://h:443/", UrlScheme::kHttps, 443}, {"http://h:443/", UrlScheme::kHttp, 443},
  };
  for (const Case& c : cases) {
    CUrlParts parts = CrackUrl(c.url);
    EXPECT_EQ(parts.scheme, c.scheme) << c.url;
    EXPECT_EQ(parts.port, c.port) << c.url;
  }
}

TEST(UrlPartsTest, CredentialsAreDecodedAndKeptOutOfTheFetchUrl) {
  CUrlParts parts = CrackUrl("http://us%20er:p%40ss@h/feed");
  EXPECT_EQ(parts.user_name, "us er");
  EXPECT_EQ(parts.password, "p@ss");
  EXPECT_EQ(parts.fetch_url, "http://h/feed");
  EXPECT_EQ(CrackUrl("http://only@h/").user_name, "only");
  EXPECT_EQ(CrackUrl("http://only@h/").password, "");
}

TEST(UrlPartsTest, BlanksAndHighBytesAreEncoded) {
  EXPECT_EQ(CrackUrl("http://h/a b/\xE9t\xE9").fetch_url, "http://h/a%20b/%e9t%e9");
}

TEST(UrlPartsTest, RefusedUrls) {
  const std::string refused[] = {
      "http://h/feed\r\nX-Injected: 1",
      "http://h/feed\n",
      std::string("http://h/fe\0ed", 14),
      "http://a%0d%0aX-Injected:1@h/",  // decodes to a line break in a header
      "ftp://h/feed",
      "file:///etc/passwd",
      "javascript:alert(1)",
      "h/feed",
      "http://[::1/feed",
      "",
  };
  for (const std::string& url : refused) EXPECT_EQ(CrackCode(url), kErrorRequest) << url;
}

TEST(UrlPartsTest, LocationsResolveAgainstTheCurrentUrl) {
  CUrlParts base = CrackUrl("http://user:pw@h:8080/dir/feed.xml?q=1");
  struct Case {
    const char* location;
    const char* resolved;
  } cases[] = {
      {"http://other/x", "http://other/x"},
      {"https://other:8443/x", "https://other:8443/x"},
      {"/root.xml", "http://h:8080/root.xml"},
      {"new.xml", "http://h:8080/dir/new.xml"},
      {"../up.xml?a=b", "http://h:8080/up.xml?a=b"},
      {"?page=2", "http://h:8080/dir/feed.xml?page=2"},
      {"//cdn.example/f", "http://cdn.example/f"},
  };
  for (const Case& c : cases) {
    CUrlParts next = ResolveLocation(base, c.location);
    EXPECT_EQ(next.url, c.resolved) << c.location;
    EXPECT_EQ(next.user_name, "") << "credentials must not carry over to " << c.location;
  }
}

TEST(UrlPartsTest, UnusableLocationsAreRefused) {
  CUrlParts base = CrackUrl("http://h/feed");
  for (const char* location : {"file:///etc/passwd", "ftp://h/x", "javascript:alert(1)"}) {
    try {
      ResolveLocation(base, location);
      ADD_FAILURE() << location;
    } catch (const CHttpExeption& error) {
      EXPECT_EQ(error.Code(), kErrorRequest) << location;
    }
  }
}

}  // namespace
}  // namespace tarsel::HTTP
