// A record's enclosures, as the feed readers write them at the end of its description, reach
// the record pane with their players, pictures and links intact.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parse/feeds/feed_test_support.h"
#include "parse/feeds/parsed_channel_cleanup.h"
#include "store/memories_column.h"
#include "support/temp_dir.h"
#include "view/record_render.h"

namespace tarsel {
namespace {

constexpr char kFeed[] =
    "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>Cast</title>"
    "<link>http://cast.example/</link><description>D</description>"
    "<item><title>Episode</title><link>http://cast.example/1</link>"
    "<description>&lt;p&gt;Show notes&lt;/p&gt;</description>"
    "<enclosure url=\"http://cast.example/1.mp3\" length=\"24986239\" type=\"audio/mpeg\"/>"
    "<enclosure url=\"http://cast.example/1.mp4\" length=\"1000\" type=\"video/mp4\"/>"
    "<enclosure url=\"http://cast.example/1.jpg\" type=\"image/jpeg\"/>"
    "<enclosure url=\"http://cast.example/1.pdf\" type=\"application/pdf\"/>"
    "</item></channel></rss>";

// What must survive from the feed to the page: each player or picture, each link.
const std::vector<std::string> kIntactParts = {
    "<div class=\"enclosures\">",
    "<audio controls preload=\"none\" src=\"http://cast.example/1.mp3\"></audio>",
    "<video controls preload=\"none\" src=\"http://cast.example/1.mp4\"></video>",
    "<img src=\"http://cast.example/1.jpg\" alt=\"\">",
    "<a class=\"enclosure-link\" href=\"http://cast.example/1.mp3\" type=\"audio/mpeg\" "
    "data-length=\"24986239\">",
    "href=\"http://cast.example/1.pdf\"",
    "<span class=\"enclosure-info\">(audio/mpeg, ",
};

TEST(RecordRenderEnclosureTest, FeedEnclosuresReachThePaneIntact) {
  ChannelInfo channel;
  ASSERT_TRUE(ParseAndCleanFeed(kFeed, channel, true, testing::DefaultRead()));
  ASSERT_EQ(channel.records.size(), 1u);
  const Record& record = *channel.records[0];

  Column column;
  column.use_title_from_rss = false;
  MemoriesColumn memories("Kept");
  const std::optional<std::string> theme_template =
      ReadRecordTemplate(std::string(TARSEL_TEST_DATA) + "/../../theme/rssitem.templ");
  ASSERT_TRUE(theme_template.has_value());
  for (const TreeNode* node :
       {static_cast<const TreeNode*>(&column), static_cast<const TreeNode*>(&memories)}) {
    const std::string body = RenderRecordBody(node, &record, theme_template);
    for (const std::string& part : kIntactParts) {
      EXPECT_NE(body.find(part), std::string::npos) << part << "\nnot in\n" << body;
    }
    EXPECT_LT(body.find("Show notes"), body.find("class=\"enclosures\""));
  }
}

}  // namespace
}  // namespace tarsel
