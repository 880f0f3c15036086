// Where a document declares its language, and that the readers read its dates with that
// language's names: RSS's language and dc:language, Atom's xml:lang on the feed, an entry or the
// date itself.
#include <gtest/gtest.h>

#include <string>

#include "feed_test_support.h"
#include "parse/feeds/feed_parser.h"
#include "platform/system_code_page.h"

namespace tarsel {
namespace {

using testing::Atom;
using testing::Now;
using testing::Rss;

constexpr int32_t kDec3At0800Utc = 1733212800;  // "03 Δεκ 2024 10:00:00 +0200"
constexpr char kGreekDate[] = "Τρί, 03 Δεκ 2024 10:00:00 +0200";

std::string Atom10(const std::string& lang_attribute, const std::string& content) {
  return "<feed xmlns=\"http://www.w3.org/2005/Atom\" " + lang_attribute + ">" + content +
         "</feed>";
}

std::string GreekEntry(const std::string& element, const std::string& lang_attribute = "") {
  return "<entry " + lang_attribute + "><title>T</title><" + element + ">" + kGreekDate + "</" +
         element + "></entry>";
}

TEST(FeedLanguageTest, TheDeclaredLanguageReachesTheDates) {
  const std::string pub_date =
      std::string("<item><title>T</title><pubDate>") + kGreekDate + "</pubDate></item>";
  const struct {
    const char* name;
    std::string body;
    bool read;  // false: the date stays unread (the time of reading)
  } cases[] = {
      {"rss language", Rss("<language>el</language>" + pub_date), true},
      {"rss dc:language", Rss("<dc:language>el-GR</dc:language>" + pub_date), true},
      {"rss dc:date",
       Rss("<language>el</language><item><title>T</title><dc:date>" + std::string(kGreekDate) +
           "</dc:date></item>"),
       true},
      {"rss of another language", Rss("<language>hu</language>" + pub_date), false},
      {"rss without a language", Rss(pub_date), false},
      {"atom feed xml:lang", Atom10("xml:lang=\"el\"", GreekEntry("updated")), true},
      {"atom entry xml:lang", Atom10("xml:lang=\"en\"", GreekEntry("published", "xml:lang=\"el\"")),
       true},
      {"atom entry of another language",
       Atom10("xml:lang=\"el\"", GreekEntry("updated", "xml:lang=\"ko\"")), false},
      {"atom without a language", Atom10("", GreekEntry("updated")), false},
      {"atom 0.3 feed xml:lang",
       "<feed version=\"0.3\" xmlns=\"http://purl.org/atom/ns#\" xml:lang=\"el\">" +
           GreekEntry("modified") + "</feed>",
       true},
      {"atom 0.3 without a language", Atom(GreekEntry("modified")), false},
  };
  feeds::ReadSettings read;
  read.code_page = kCodePageUtf8;
  for (const auto& c : cases) {
    ChannelInfo channel;
    const int32_t before = Now();
    ASSERT_TRUE(ParseFeed(c.body, channel, read)) << c.name;
    ASSERT_EQ(channel.records.size(), 1u) << c.name;
    const int32_t published = channel.records[0]->published;
    if (c.read) {
      EXPECT_EQ(published, kDec3At0800Utc) << c.name;
    } else {
      EXPECT_GE(published, before) << c.name;
    }
  }
}

}  // namespace
}  // namespace tarsel
