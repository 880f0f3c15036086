// Truncated, random, deeply nested and oversized input: every pass must finish, in bounds, in
// time proportional to the input.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "html/cleaning.h"
#include "html/entities.h"
#include "html/links.h"
#include "html/parser.h"
#include "html/render.h"
#include "html/text.h"
#include "platform/system_code_page.h"

namespace tarsel::HTML {
namespace {

int Depth(const NodeList& nodes) {
  int deepest = 0;
  for (const Node& node : nodes) deepest = std::max(deepest, 1 + Depth(node.children));
  return deepest;
}

std::string Repeat(std::string_view unit, size_t times) {
  std::string text;
  text.reserve(unit.size() * times);
  for (size_t i = 0; i < times; ++i) text += unit;
  return text;
}

void RunEveryPass(const std::string& html) {
  constexpr std::string_view kBase = "http://example.com/a/";
  NodeList nodes = Parse(html);
  ResolveLinks(nodes, kBase);
  const std::string cleaned = CleanedHtml(nodes);
  const std::string plain = PlainText(nodes, kCodePageUtf8);
  // The streaming pipelines give what the tree gives.
  EXPECT_EQ(CleanHtml(html, kBase), cleaned);
  EXPECT_EQ(HtmlToPlainText(html, kCodePageUtf8), plain);
  int counter = 0;
  StructurePattern(nodes, counter);
  EXPECT_LE(DecodeEntities(html, kCodePageUtf8).size(), html.size());
  EXPECT_LE(DecodeEntities(html, 1251).size(), html.size());
  StripTags(html, kCodePageUtf8);
  LimitLines(plain, 3);
  // Cleaning is stable: cleaned output cleans to itself.
  EXPECT_EQ(CleanHtml(cleaned, kBase), cleaned);
}

TEST(HostileInput, RandomBytes) {
  std::mt19937 random(20240601);
  for (int round = 0; round < 2000; ++round) {
    std::string html(random() % 300, ' ');
    for (char& c : html) c = static_cast<char>(random() % 256);
    SCOPED_TRACE(html);
    RunEveryPass(html);
  }
}

// Random sequences of markup pieces reach far more of the parser than random bytes.
TEST(HostileInput, RandomMarkup) {
  const std::string_view pieces[] = {
      "<a href=", "<img src=",   "x.html",   "\"",        "'",           "<b>",       "</b>",
      "<p>",      "</p>",        "<div>",    "</div>",    "<li>",        "<ul>",      "</ul>",
      "<br>",     "&amp;",       "&lt;",     "&#65;",     "<script>",    "</script>", "<!--",
      "-->",      "javascript:", "<iframe>", "</iframe>", "<embed>",     "</a>",      ">",
      "hello ",   "\n",          "\r\n",     " onclick=", " class=",     "<TD>",      "<tr>",
      "</table>", "<table>",     "/>",       "<",         "</",          "=",         "<style>",
      "#top",     "../up/",      "<meta ",   "<object>",  "<base href=", "<i>",       "</i>"};
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string html;
    const size_t count = random() % 40;
    for (size_t i = 0; i < count; ++i) html += pieces[random() % std::size(pieces)];
    SCOPED_TRACE(html);
    RunEveryPass(html);
  }
}

TEST(HostileInput, DeepNestingIsBounded) {
  // An element ends where one of its own name opens, so nesting needs alternating names.
  for (std::string_view unit : {"<b><i>", "<div><span>", "<a href=x><b>", "<ul><li>"}) {
    const std::string html = Repeat(unit, 100000);
    const NodeList nodes = Parse(html);
    EXPECT_LE(Depth(nodes), kMaxDepth) << unit;
    EXPECT_GT(Depth(nodes), 100) << unit;
    EXPECT_FALSE(CleanedHtml(nodes).empty());
  }
}

TEST(HostileInput, OversizedInputsFinish) {
  const std::pair<const char*, std::string> cases[] = {
      {"unclosed frames", Repeat("<iframe>x", 50000)},
      {"unclosed embeds and text", Repeat("<embed src=a>text ", 50000)},
      {"unclosed scripts", Repeat("<script>", 50000)},
      {"open tags without end", Repeat("<a", 50000)},
      {"stray closing tags", "<b>" + Repeat("</i>", 50000)},
      {"siblings", Repeat("<p>x", 50000)},
      {"comment starts", Repeat("<!--", 50000)},
      {"quotes", "<a title=\"" + Repeat("\"x", 50000)},
      {"entities", Repeat("&amp;amp;lt;&#65;&#9999;", 50000)},
  };
  for (const auto& [name, html] : cases) {
    SCOPED_TRACE(name);
    const std::string cleaned = CleanHtml(html, "http://example.com/");
    EXPECT_LE(cleaned.size(), html.size() * 3);
    StripTags(html, kCodePageUtf8);
    MakeSummary(html, 2, kCodePageUtf8);
  }
}

}  // namespace
}  // namespace tarsel::HTML
