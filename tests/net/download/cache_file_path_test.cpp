#include "net/download/cache_file_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

bool IsHashedName(const std::string& name) {
  return name.size() == 20 && name.substr(16) == ".xml" &&
         name.find_first_not_of("0123456789abcdef") == 16;
}

TEST(CacheFileNameTest, NamesFromHostPathAndQuery) {
  struct Case {
    const char* url;
    const char* name;
  };
  const std::vector<Case> cases = {
      {"http://h/a/b?c=1", "h-a-b-c=1.xml"},
      {"http://example.com/", "example.com.xml"},
      {"http://example.com", "example.com.xml"},
      {"http://example.com/feeds/", "example.com-feeds.xml"},
      {"https://example.com/a//b", "example.com-a--b.xml"},
      {"http://example.com:8080/rss", "example.com-rss.xml"},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(CacheFileName(test.url), test.name) << test.url;
  }
}

TEST(CacheFileNameTest, UnusableNamesAreHashedStably) {
  const std::vector<std::string> urls = {
      "not a url",
      "",
      "ftp://example.com/feed.xml",
      "http://example.com/" + std::string(300, 'a'),
  };
  for (const std::string& url : urls) {
    const std::string name = CacheFileName(url);
    EXPECT_TRUE(IsHashedName(name)) << url << " gave " << name;
    EXPECT_EQ(CacheFileName(url), name);
  }
  EXPECT_NE(CacheFileName(urls[0]), CacheFileName(urls[3]));
}

TEST(CacheFileNameTest, PathIsInsideTheDataFolderCache) {
  testing::TempDir home;
  testing::ScopedEnv data_home("XDG_DATA_HOME", home.path());
  Column column;
  column.url = "http://h/a";
  EXPECT_EQ(CacheFilePath(column), home.path() + "/Tarsel/Cache/h-a.xml");
}

}  // namespace
}  // namespace tarsel
