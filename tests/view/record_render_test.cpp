#include "view/record_render.h"

#include <gtest/gtest.h>

#include "net/download/failure_code.h"
#include "settings/settings.h"
#include "store/memories_column.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

// A template that shows every value between markers, so a test reads one value at a time.
constexpr char kMarkedTemplate[] =
    "I[<<RSSCOLUMN.IMAGE>>]T[<<RSSCOLUMN.TITLE>>]L[<<RSSCOLUMN.LINK>>]"
    "l[<<RSSITEM.LINK>>]t[<<RSSITEM.TITLE>>]c[<<RSSITEM.CONTENT>>]m[<<RSSITEM.COMMENTS>>]";

std::shared_ptr<Column> MakeColumn() {
  auto column = std::make_shared<Column>();
  column->name = "Planet";
  column->use_title_from_rss = false;
  column->channel.link = "http://planet.example/";
  return column;
}

Record MakeRecord() {
  Record record;
  record.title = "Hello";
  record.link = "http://planet.example/hello";
  record.description = "<p>Body</p>";
  return record;
}

// The text between "key[" and the next "]" of a render of kMarkedTemplate.
std::string Value(const std::string& rendered, const std::string& key) {
  const size_t start = rendered.find(key + "[");
  const size_t end = rendered.find("]", start);
  if (start == std::string::npos || end == std::string::npos) return "<missing>";
  return rendered.substr(start + key.size() + 1, end - start - key.size() - 1);
}

TEST(RecordRenderTest, ItemLinkAndTitleChoices) {
  const std::string long_summary =
      std::string(56, 'a') + " tail of the summary that goes on " + std::string(40, 'b');
  struct Case {
    const char* name;
    std::string link, guid, title, summary;
    std::string expected_link, expected_title;
  } cases[] = {
      {"link wins", "http://a/", "http://g/", "T", "", "http://a/", "T"},
      {"guid holding a web address", "", "tag:x,http://g/1", "T", "", "tag:x,http://g/1", "T"},
      {"urn guid without http", "", "urn:uuid:1", "T", "", "", "T"},
      {"short summary stands in", "", "", "", std::string(49, 's'), "", std::string(49, 's')},
      {"long summary cut at the blank past 50", "", "", "", long_summary, "",
       std::string(56, 'a') + "..."},
      {"50 characters without a blank get dots", "", "", "", std::string(50, 'x'), "",
       std::string(50, 'x') + "..."},
  };
  for (const Case& c : cases) {
    Record record;
    record.link = c.link;
    record.guid = c.guid;
    record.title = c.title;
    record.summary = c.summary;
    EXPECT_EQ(ItemLink(record), c.expected_link) << c.name;
    EXPECT_EQ(ItemTitle(record), c.expected_title) << c.name;
  }
}

TEST(RecordRenderTest, FillsEveryPlaceholderEveryTime) {
  auto column = MakeColumn();
  column->channel.image_url = "http://planet.example/logo.png";
  Record record = MakeRecord();
  record.comments = "http://planet.example/hello#comments";
  const std::string twice = std::string(kMarkedTemplate) + kMarkedTemplate;
  const std::string rendered = FillRecordTemplate(twice, *column, &record);
  EXPECT_EQ(rendered.find("<<"), std::string::npos) << rendered;
  const std::string once = FillRecordTemplate(kMarkedTemplate, *column, &record);
  EXPECT_EQ(rendered, once + once);
  EXPECT_EQ(Value(once, "I"), "<img src=\"http://planet.example/logo.png\" align=right/>");
  EXPECT_EQ(Value(once, "T"), "Planet");
  EXPECT_EQ(Value(once, "L"), "http://planet.example/");
  EXPECT_EQ(Value(once, "l"), "http://planet.example/hello");
  EXPECT_EQ(Value(once, "t"), "Hello");
  EXPECT_EQ(Value(once, "c"), "<p>Body</p>");
  EXPECT_EQ(Value(once, "m"), "<a href=\"http://planet.example/hello#comments\">(Comments)</a>");
}

// Values are never scanned for placeholders again: a title holding one shows it as text, and a
// value repeating a placeholder cannot multiply the output.
TEST(RecordRenderTest, PlaceholderTextInsideValuesStaysText) {
  auto column = MakeColumn();
  column->name = "<<RSSITEM.TITLE>>";
  Record record = MakeRecord();
  std::string repeated;
  for (int i = 0; i < 20000; ++i) repeated += "<<RSSITEM.CONTENT>>";
  record.title = repeated;
  record.description = std::string(100000, 'd') + "<<RSSITEM.TITLE>>";
  const std::string rendered = FillRecordTemplate(kMarkedTemplate, *column, &record);
  EXPECT_EQ(Value(rendered, "T"), "&lt;&lt;RSSITEM.TITLE&gt;&gt;");
  EXPECT_LT(rendered.size(), 2 * (repeated.size() * 2 + record.description.size()));
  EXPECT_NE(rendered.find(std::string(100000, 'd') + "<<RSSITEM.TITLE>>"), std::string::npos);
}

TEST(RecordRenderTest, FailedColumnShowsItsMessageForAnyRecord) {
  auto column = MakeColumn();
  column->last_result = kFailureNotFound;
  Record record = MakeRecord();
  record.comments = "http://planet.example/c";
  for (const Record* shown :
       {static_cast<const Record*>(&record), static_cast<const Record*>(nullptr)}) {
    const std::string rendered = FillRecordTemplate(kMarkedTemplate, *column, shown);
    EXPECT_EQ(Value(rendered, "T"), "Planet");
    EXPECT_EQ(Value(rendered, "l"), "");
    EXPECT_EQ(Value(rendered, "t"), "");
    EXPECT_EQ(Value(rendered, "c"), FailureMessageHtml(kFailureNotFound));
    EXPECT_EQ(Value(rendered, "m"), "");
  }
  column->last_result = kFailureNone;
  EXPECT_EQ(Value(FillRecordTemplate(kMarkedTemplate, *column, nullptr), "c"), "");
}

// Titles and links come from feeds: markup in a title must stay text and a link must neither
// leave its quotes nor run script.
TEST(RecordRenderTest, HostileTitlesAndLinksAreMadeSafe) {
  struct Case {
    const char* name;
    std::string title, link, comments, image;
    std::string key, expected;
  } cases[] = {
      {"markup in the title", "<img src=x onerror=alert(1)>", "", "", "", "t", ""},
      {"stored title is cleaned HTML, shown as its text", "Tom &amp; <b>Jerry</b> &lt;i&gt;", "",
       "", "", "t", "Tom &amp; Jerry &lt;i&gt;"},
      {"quote in a link", "T", "http://a/\" onmouseover=\"x", "", "", "l",
       "http://a/&quot; onmouseover=&quot;x"},
      {"javascript link", "T", "javascript:alert(1)", "", "", "l", ""},
      {"scheme split by a tab", "T", "java\tscript:alert(1)", "", "", "l", ""},
      {"upper-case scheme after blanks", "T", " \x01JAVASCRIPT:alert(1)", "", "", "l", ""},
      {"data link", "T", "data:text/html,<script>x</script>", "", "", "l", ""},
      {"relative link", "T", "/local/file", "", "", "l", ""},
      {"upper-case https kept", "T", "HTTPS://a/", "", "", "l", "HTTPS://a/"},
      {"mailto kept", "T", "mailto:me@example.org", "", "", "l", "mailto:me@example.org"},
      {"ftp kept", "T", "ftp://a/f", "", "", "l", "ftp://a/f"},
      {"script comments link", "T", "", "vbscript:x", "", "m", ""},
      {"comments link with markup", "T", "", "http://a/'><b>", "", "m",
       "<a href=\"http://a/&#39;&gt;&lt;b&gt;\">(Comments)</a>"},
      {"script image", "T", "", "", "javascript:x", "I", ""},
  };
  for (const Case& c : cases) {
    auto column = MakeColumn();
    column->channel.image_url = c.image;
    Record record = MakeRecord();
    record.title = c.title;
    record.link = c.link;
    record.comments = c.comments;
    const std::string rendered = FillRecordTemplate(kMarkedTemplate, *column, &record);
    EXPECT_EQ(Value(rendered, c.key), c.expected) << c.name;
  }
}

TEST(RecordRenderTest, ContentWithoutDescriptionLinksTheStoredTitle) {
  struct Case {
    const char* name;
    std::string link, title, expected;
  } cases[] = {
      {"plain", "http://a/", "A & B", "<a href=\"http://a/\">A &amp; B</a>"},
      {"unsafe link keeps only the text", "javascript:x", "&lt;T&gt;", "&lt;T&gt;"},
      {"escaped ampersand shown once", "http://a/", "A &amp; B",
       "<a href=\"http://a/\">A &amp; B</a>"},
      {"no title", "http://a/", "", "<a href=\"http://a/\"></a>"},
  };
  auto column = MakeColumn();
  auto memories = std::make_shared<MemoriesColumn>("Kept");
  for (const Case& c : cases) {
    Record record;
    record.link = c.link;
    record.title = c.title;
    record.summary = "summary";
    EXPECT_EQ(Value(FillRecordTemplate(kMarkedTemplate, *column, &record), "c"), c.expected)
        << c.name;
    EXPECT_EQ(RenderRecordBody(memories.get(), &record, kMarkedTemplate), c.expected) << c.name;
  }
}

TEST(RecordRenderTest, BodyDependsOnTheNodeKind) {
  auto column = MakeColumn();
  auto memories = std::make_shared<MemoriesColumn>("Kept");
  auto group = std::make_shared<ColumnGroup>("Group");
  const Record record = MakeRecord();
  const std::optional<std::string> templ = std::string("[<<RSSITEM.CONTENT>>]");
  EXPECT_EQ(RenderRecordBody(column.get(), &record, templ), "[<p>Body</p>]");
  EXPECT_EQ(RenderRecordBody(column.get(), &record, std::nullopt), "");
  EXPECT_EQ(RenderRecordBody(memories.get(), &record, templ), "<p>Body</p>");
  EXPECT_EQ(RenderRecordBody(memories.get(), nullptr, templ), "");
  EXPECT_EQ(RenderRecordBody(group.get(), &record, templ), "");
  EXPECT_EQ(RenderRecordBody(nullptr, &record, templ), "");
}

TEST(RecordRenderTest, TemplateFileIsReadWholeOrNotAtAll) {
  testing::TempDir folder;
  const std::string bytes = std::string("a\0b", 3) + std::string(70000, 'x');
  testing::WriteFileBytes(folder.File("rssitem.templ"), bytes);
  EXPECT_EQ(ReadRecordTemplate(folder.File("rssitem.templ")), bytes);
  EXPECT_EQ(ReadRecordTemplate(folder.File("missing.templ")), std::nullopt);
}

TEST(RecordRenderTest, BodyIsConvertedByTheEncodingSetting) {
  const std::string body = "\xC0\xE9";
  EXPECT_EQ(BodyToUtf8(body, 1252), "\xC3\x80\xC3\xA9");
  EXPECT_EQ(BodyToUtf8(body, 1251), "\xD0\x90\xD0\xB9");
  EXPECT_EQ(BodyToUtf8(body, 1250), "\xC5\x94\xC3\xA9");
}

TEST(RecordRenderTest, BlogTextOfTheShownRecord) {
  auto column = MakeColumn();
  Record record = MakeRecord();
  RecordBlogText text = BlogTextOf(column.get(), &record);
  EXPECT_EQ(text.subject, "From Planet:Hello");
  EXPECT_EQ(text.body, "<p>Body</p>");
  record.description.clear();
  text = BlogTextOf(nullptr, &record);
  EXPECT_EQ(text.subject, "");
  EXPECT_EQ(text.body, "<a href=\"http://planet.example/hello\">Hello</a>");
  text = BlogTextOf(column.get(), nullptr);
  EXPECT_EQ(text.subject, "");
  EXPECT_EQ(text.body, "");
}

}  // namespace
}  // namespace tarsel
