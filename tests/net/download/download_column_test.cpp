#include "net/download/download_column.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

#include "net/download/cache_file_path.h"
#include "net/download/download_test_support.h"
#include "net/download/failure_code.h"
#include "net/download/feed_link_discovery.h"
#include "support/fixture_server.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::FixtureRequest;
using testing::FixtureResponse;
using testing::FixtureServer;
using testing::RawFixtureServer;

constexpr char kFeed[] = "<rss version=\"2.0\"><channel><title>T</title></channel></rss>";
// A type the fixture server does not compress by itself.
constexpr char kFeedType[] = "application/rss+xml";

struct Outcome {
  bool new_content = false;
  int code = 0;  // the exception code, 0 when none
  int status = 0;
};

std::vector<std::string> RequestLinesAfterHost(const std::string& request) {
  std::vector<std::string> lines;
  std::istringstream in(request.substr(0, request.find("\r\n\r\n")));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.starts_with("GET ") && !line.starts_with("Host: ")) lines.push_back(line);
  }
  return lines;
}

FixtureResponse Moved(int status, const std::string& location) {
  return FixtureResponse{status, "moved", "text/plain", {{"Location", location}}};
}

class DownloadColumnTest : public ::testing::Test {
 protected:
  DownloadColumnTest() { column_.id = 7; }

  Outcome Run(const std::string& url) {
    column_.url = url;
    return Run();
  }
  Outcome Run() {
    Outcome outcome;
    try {
      outcome.new_content = DownloadColumn(column_, options_, nullptr, &outcome.status);
    } catch (const HTTP::CHttpExeption& error) {
      outcome.code = error.Code();
    }
    return outcome;
  }
  std::string Cached() const { return testing::ReadFileBytes(CacheFilePath(column_)); }
  std::vector<std::string> CacheEntries() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(CacheFolder(), error)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  // A column that downloaded before: a cache file and validators.
  void GiveEarlierDownload(const std::string& url) {
    column_.url = url;
    column_.etag = "\"old\"";
    column_.last_modified = "Mon, 01 Jan 2024 00:00:00 GMT";
    column_.charset_converted = true;
    ASSERT_TRUE(EnsureCacheFolder());
    testing::WriteFileBytes(CacheFilePath(column_), "old text");
  }
  void ExpectEarlierDownloadKept() {
    EXPECT_EQ(column_.etag, "\"old\"");
    EXPECT_EQ(column_.last_modified, "Mon, 01 Jan 2024 00:00:00 GMT");
    EXPECT_TRUE(column_.charset_converted);
    EXPECT_EQ(Cached(), "old text");
  }

  testing::TempDir home_;
  testing::ScopedEnv data_home_{"XDG_DATA_HOME", home_.path()};
  testing::ScopedEnv locale_{"LC_ALL", "en_US.UTF-8"};
  DownloadOptions options_ = testing::DirectDownload();
  FixtureServer server_;
  Column column_;
};

TEST_F(DownloadColumnTest, SendsConditionalHeadersOnlyWithStoredValidators) {
  const struct {
    const char* name;
    std::string etag;
    std::string last_modified;
    std::vector<std::string> lines;
  } cases[] = {
      {"first update", "", "", {"User-Agent: Tarsel", "Accept:*/*", "Accept-Encoding:gzip"}},
      {"etag only",
       "W/\"x y\"",
       "",
       {"User-Agent: Tarsel", "Accept:*/*", "Accept-Encoding:gzip", "If-None-Match:W/\"x y\""}},
      {"both, as the server gave them",
       "\"1\"",
       "Tue, 2 Jan 2024 10:00:00 GMT",
       {"User-Agent: Tarsel", "Accept:*/*", "Accept-Encoding:gzip", "If-None-Match:\"1\"",
        "If-Modified-Since:Tue, 2 Jan 2024 10:00:00 GMT"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RawFixtureServer raw(testing::OkReply(kFeed));
    column_.etag = c.etag;
    column_.last_modified = c.last_modified;
    EXPECT_TRUE(Run(raw.Url("/feed")).new_content);
    EXPECT_EQ(RequestLinesAfterHost(raw.LastRequest()), c.lines);
  }
}

TEST_F(DownloadColumnTest, StoresValidatorsAndKeepsEverythingOn304) {
  auto feed = server_.Serve("/feed", [](const FixtureRequest& request) {
    if (request.Header("If-None-Match") == "\"v1\"") return FixtureResponse{304, ""};
    return FixtureResponse{200, kFeed, kFeedType, {{"ETag", "\"v1\""}, {"Last-Modified", "L1"}}};
  });
  Outcome first = Run(server_.Url("/feed"));
  EXPECT_TRUE(first.new_content);
  EXPECT_EQ(first.status, 200);
  EXPECT_EQ(column_.etag, "\"v1\"");
  EXPECT_EQ(column_.last_modified, "L1");
  EXPECT_EQ(Cached(), kFeed);

  testing::WriteFileBytes(CacheFilePath(column_), "cached");
  Outcome second = Run();
  EXPECT_FALSE(second.new_content);
  EXPECT_EQ(second.status, 304);
  EXPECT_EQ(second.code, 0);
  EXPECT_EQ(column_.etag, "\"v1\"");
  EXPECT_EQ(Cached(), "cached");

  // A 200 without validators clears them.
  auto bare = server_.Serve("/feed", FixtureResponse{200, kFeed, kFeedType});
  EXPECT_TRUE(Run().new_content);
  EXPECT_EQ(column_.etag, "");
  EXPECT_EQ(column_.last_modified, "");
}

TEST_F(DownloadColumnTest, UndoesGzipInAnyLetterCase) {
  for (const char* encoding : {"gzip", "GZIP", "gZip"}) {
    SCOPED_TRACE(encoding);
    RawFixtureServer raw(testing::OkReply(testing::Gzip(kFeed),
                                          std::string("Content-Encoding: ") + encoding + "\r\n"));
    EXPECT_TRUE(Run(raw.Url("/feed")).new_content);
    EXPECT_EQ(Cached(), kFeed);
    EXPECT_EQ(CacheEntries(), std::vector<std::string>{CacheFileName(column_.url)});
  }
  // Another coding is not undone.
  RawFixtureServer raw(testing::OkReply("zz", "Content-Encoding: x-gzip\r\n"));
  EXPECT_TRUE(Run(raw.Url("/other")).new_content);
  EXPECT_EQ(Cached(), "zz");
}

TEST_F(DownloadColumnTest, BrokenGzipKeepsTheEarlierDownload) {
  std::string damaged = testing::Gzip(std::string(5000, 'a') + kFeed);
  damaged[damaged.size() / 2] ^= 0x55;
  const std::string gzip = testing::Gzip(kFeed);
  for (const std::string& body : {damaged, gzip.substr(0, gzip.size() / 2)}) {
    RawFixtureServer raw(testing::OkReply(body, "Content-Encoding: gzip\r\n"));
    GiveEarlierDownload(raw.Url("/feed"));
    EXPECT_EQ(FailureCodeForHttpError(Run().code), kFailureOpenUrl);
    ExpectEarlierDownloadKept();
    EXPECT_EQ(CacheEntries(), std::vector<std::string>{CacheFileName(column_.url)});
  }
}

TEST_F(DownloadColumnTest, OnlyPermanentRedirectsMoveTheColumn) {
  auto feed = server_.Serve("/feed", FixtureResponse{200, kFeed, kFeedType});
  auto gone = server_.Serve("/gone", FixtureResponse{404, ""});
  const struct {
    const char* name;
    std::vector<std::pair<std::string, FixtureResponse>> hops;
    std::string moved_to;  // path; empty: the URL stays "/a"
    int code;
  } cases[] = {
      {"301 absolute", {{"/a", Moved(301, server_.Url("/feed"))}}, "/feed", 0},
      {"301 relative", {{"/a", Moved(301, "feed")}}, "/feed", 0},
      {"302", {{"/a", Moved(302, "/feed")}}, "", 0},
      {"301 then 302", {{"/a", Moved(301, "/b")}, {"/b", Moved(302, "/feed")}}, "/b", 0},
      {"302 then 301", {{"/a", Moved(302, "/b")}, {"/b", Moved(301, "/feed")}}, "/feed", 0},
      {"301 to a 404 still moves", {{"/a", Moved(301, "/gone")}}, "/gone", 160},
      {"loop", {{"/a", Moved(302, "/b")}, {"/b", Moved(302, "/a")}}, "", 160},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<FixtureServer::Endpoint> endpoints;
    for (const auto& [path, response] : c.hops) endpoints.push_back(server_.Serve(path, response));
    Outcome outcome = Run(server_.Url("/a"));
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_EQ(column_.url, server_.Url(c.moved_to.empty() ? "/a" : c.moved_to));
    if (c.code == 0) {
      EXPECT_EQ(Cached(), kFeed);
    }
  }
}

TEST(MovedColumnUrlTest, PutsHttpInFrontOfOtherAddresses) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://a/b", "http://a/b"},
      {"HTTPS://a/b", "HTTPS://a/b"},
      {"a.org/rss", "http://a.org/rss"},
      {"ftp://a/b", "http://ftp://a/b"},
  };
  for (const auto& [url, moved] : cases) EXPECT_EQ(MovedColumnUrl(url), moved) << url;
}

TEST_F(DownloadColumnTest, StatusesBecomeStoredFailureCodes) {
  const struct {
    FixtureResponse response;
    int code;
    FailureCode stored;
  } cases[] = {
      {{404, ""}, 160, 161}, {{400, ""}, 163, 165},      {{408, ""}, 6, 6},
      {{401, ""}, 7, 7},     {{403, ""}, 9, 9},          {{407, ""}, 8, 8},
      {{410, ""}, 161, 162}, {{500, ""}, 162, 163},      {{503, ""}, 164, 164},
      {{201, kFeed}, 2, 3},  {{204, ""}, 2, 3},          {{303, ""}, 2, 3},
      {{206, kFeed}, 2, 3},  {Moved(302, ""), 160, 161},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.response.status);
    auto endpoint = server_.Serve("/feed", c.response);
    GiveEarlierDownload(server_.Url("/feed"));
    Outcome outcome = Run();
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_EQ(outcome.status, c.response.status);
    EXPECT_EQ(FailureCodeForHttpError(outcome.code), c.stored);
    ExpectEarlierDownloadKept();
  }
  EXPECT_EQ(FailureMessage(161),
            "HTTP 404 Error. \nYou should unsubscribe from this column or enter another url.");
  EXPECT_EQ(FailureMessageHtml(165), "Unknown Error");
}

TEST_F(DownloadColumnTest, SendsCredentialsAndDecodedUrl) {
  // Credentials go out when the server asks for them.
  auto feed = server_.Serve("/feed", [](const FixtureRequest& request) {
    if (request.HasHeader("Authorization")) return FixtureResponse{200, kFeed, kFeedType};
    return FixtureResponse{401, "", "text/plain", {{"WWW-Authenticate", "Basic realm=\"x\""}}};
  });
  auto open_feed = server_.Serve("/open", FixtureResponse{200, kFeed, kFeedType});
  column_.login = "user";
  column_.password = "pass";
  EXPECT_TRUE(Run(server_.Url("/feed?a=1&amp;b=2")).new_content);
  EXPECT_EQ(feed.LastRequest().target, "/feed?a=1&b=2");
  EXPECT_EQ(feed.LastRequest().Header("Authorization"), "Basic dXNlcjpwYXNz");
  EXPECT_EQ(column_.url, server_.Url("/feed?a=1&amp;b=2")) << "the stored URL is kept as it was";

  column_.login.clear();
  column_.password.clear();
  EXPECT_TRUE(Run(server_.Url("/open")).new_content);
  EXPECT_FALSE(open_feed.LastRequest().HasHeader("Authorization"));
}

TEST_F(DownloadColumnTest, ConvertsByResponseCharsetAndSetting) {
  const std::string utf8 = "caf\xC3\xA9 \xD0\x94 \xC5\x82";  // "café Д ł"
  const struct {
    const char* name;
    std::string content_type;
    std::string body;
    int32_t encoding;
    const char* locale;
    std::string cached;
    bool converted;
  } cases[] = {
      {"koi8-r", "text/xml; charset=koi8-r", "\xF0\xD2\xC9", kEncodingWesternEurope, "C",
       "\xCF\xF0\xE8", true},
      {"iso-8859-2", "application/rss+xml; charset=iso-8859-2", "\xB1", kEncodingWesternEurope, "C",
       "\xB9", true},
      {"utf-8, western", "text/xml; charset=utf-8", utf8, kEncodingWesternEurope, "ru_RU.UTF-8",
       "caf\xE9    ", true},
      {"utf-8, cyrillic", "text/xml; charset=utf-8", utf8, kEncodingCyrillicWindows, "C",
       "caf  \xC4  ", true},
      {"utf-8, central", "text/xml; charset=utf-8", utf8, kEncodingCentralEuropean, "C",
       "caf\xE9   \xB3", true},
      {"utf-8, automatic, single-byte cyrillic system", "text/xml; charset=utf-8", utf8,
       kEncodingAutomatic, "ru_RU.CP1251", "caf  \xC4  ", true},
      {"no charset, utf-8, automatic, single-byte western system", kFeedType, utf8,
       kEncodingAutomatic, "de_DE", "caf\xE9    ", true},
      {"utf-8, automatic, UTF-8 desktop", "text/xml; charset=utf-8", utf8, kEncodingAutomatic,
       "ru_RU.UTF-8", utf8, true},
      {"koi8-r, automatic, UTF-8 desktop", "text/xml; charset=koi8-r", "\xF0\xD2\xC9",
       kEncodingAutomatic, "C.UTF-8", "\xD0\x9F\xD1\x80\xD0\xB8", true},
      {"no charset, not utf-8: left to the declaration", kFeedType,
       "<?xml version=\"1.0\" encoding=\"koi8-r\"?>\xF0", kEncodingCyrillicWindows, "C",
       "<?xml version=\"1.0\" encoding=\"koi8-r\"?>\xF0", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ScopedEnv locale("LC_ALL", c.locale);
    options_.encoding = static_cast<EncodingChoice>(c.encoding);
    auto feed = server_.Serve("/feed", FixtureResponse{200, c.body, c.content_type});
    column_.charset_converted = !c.converted;
    EXPECT_TRUE(Run(server_.Url("/feed")).new_content);
    EXPECT_EQ(Cached(), c.cached);
    EXPECT_EQ(column_.charset_converted, c.converted);
  }
}

TEST_F(DownloadColumnTest, PageLinksResolveAgainstTheMovedUrl) {
  auto old = server_.Serve("/old", Moved(301, "/site/index.html"));
  auto page = server_.Serve(
      "/site/index.html",
      FixtureResponse{200, "<html><link type=\"application/rss+xml\" href=\"feed.xml\">",
                      "text/html"});
  EXPECT_TRUE(Run(server_.Url("/old")).new_content);
  EXPECT_EQ(DiscoverFeedLink(Cached(), column_.url), server_.Url("/site/feed.xml"));
}

TEST_F(DownloadColumnTest, CacheFilesStayInsideTheCacheFolder) {
  auto feed = server_.Serve("/feed", FixtureResponse{200, kFeed, kFeedType});
  const std::string long_query = "?q=" + std::string(400, 'x');
  for (const std::string& query : {long_query, std::string("?a=../../../x"), std::string("?..")}) {
    SCOPED_TRACE(query.substr(0, 20));
    std::filesystem::remove_all(CacheFolder());
    EXPECT_TRUE(Run(server_.Url("/feed" + query)).new_content);
    const std::vector<std::string> entries = CacheEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_LT(entries[0].size(), 210u);
    EXPECT_EQ(Cached(), kFeed);
  }
}

// The file is written in place (same file, no temporary one beside it), cut to the new length.
TEST_F(DownloadColumnTest, RewritesTheCacheFileInPlace) {
  const std::string longer = std::string(3000, ' ') + kFeed;
  auto feed = server_.Serve("/feed", FixtureResponse{200, longer, kFeedType});
  EXPECT_TRUE(Run(server_.Url("/feed")).new_content);
  const auto inode = [this] {
    struct stat info {};
    return stat(CacheFilePath(column_).c_str(), &info) == 0 ? info.st_ino : 0;
  };
  const ino_t first = inode();
  auto shorter = server_.Serve("/feed", FixtureResponse{200, kFeed, kFeedType});
  EXPECT_TRUE(Run().new_content);
  EXPECT_EQ(Cached(), kFeed);
  EXPECT_EQ(inode(), first);
  EXPECT_EQ(CacheEntries(), std::vector<std::string>{CacheFileName(column_.url)});
}

// A failed write may have emptied the old file: the validators go with it.
TEST_F(DownloadColumnTest, FailedCacheWriteClearsTheValidators) {
  auto feed = server_.Serve("/feed", FixtureResponse{200, kFeed, kFeedType, {{"ETag", "new"}}});
  GiveEarlierDownload(server_.Url("/feed"));
  // A folder where the cache file belongs.
  std::filesystem::remove(CacheFilePath(column_));
  std::filesystem::create_directory(CacheFilePath(column_));
  Outcome outcome = Run();
  EXPECT_EQ(outcome.code, kErrorCacheFile);
  EXPECT_EQ(FailureCodeForHttpError(outcome.code), kFailureUpdate);
  EXPECT_EQ(column_.etag, "");
  EXPECT_EQ(column_.last_modified, "");
  EXPECT_EQ(CacheEntries().size(), 1u) << "no temporary file remains";

  // The Cache folder cannot be made.
  column_.etag = "\"old\"";
  std::filesystem::remove_all(CacheFolder());
  testing::WriteFileBytes(CacheFolder(), "a file");
  EXPECT_EQ(Run().code, kErrorCacheFile);
  EXPECT_EQ(column_.etag, "");
}

TEST_F(DownloadColumnTest, StopperEndsTheDownload) {
  {
    DownloadStopper stopper;
    stopper.Stop();
    auto feed = server_.Serve("/feed", FixtureResponse{200, kFeed, kFeedType});
    column_.url = server_.Url("/feed");
    EXPECT_THROW(DownloadColumn(column_, options_, &stopper), HTTP::CHttpExeption);
    EXPECT_EQ(feed.Hits(), 0);
  }
  // A server that answers nothing: only the stop ends the download.
  RawFixtureServer silent("HTTP/1.1 200 OK\r\n", /*hold_open=*/true);
  column_.url = silent.Url("/feed");
  DownloadStopper stopper;
  std::thread stop([&stopper] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    stopper.Stop();
  });
  int code = 0;
  try {
    DownloadColumn(column_, options_, &stopper);
  } catch (const HTTP::CHttpExeption& error) {
    code = error.Code();
  }
  stop.join();
  EXPECT_EQ(code, HTTP::kErrorCancelled);
  EXPECT_TRUE(CacheEntries().empty());
}

}  // namespace
}  // namespace tarsel
