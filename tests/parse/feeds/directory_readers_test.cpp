#include "parse/feeds/directory_readers.h"

#include <gtest/gtest.h>

#include <string>

#include "parse/xml/xml_document.h"

namespace tarsel {
namespace {

FoundFeedList ReadOcs(const std::string& xml) {
  XMLParser::Document document;
  FoundFeedList list;
  ParseOcsDirectory(document.ParseBuffer(xml), list);
  return list;
}

TEST(ParseOcsDirectoryTest, OffersChannelsWithRss091) {
  const std::string xml = R"(<rdf:RDF xmlns:rdf="r" xmlns:ocs="o" xmlns:dc="d">
  <rdf:Description about="http://directory/">
    <dc:title>Directory</dc:title>
    <rdf:Description about="http://site-a/">
      <dc:title>Site A</dc:title>
      <dc:description>About A</dc:description>
      <rdf:Description about="http://site-a/rss10.rdf">
        <ocs:format>http://purl.org/rss/1.0/</ocs:format>
      </rdf:Description>
      <rdf:Description about="http://site-a/rss091.xml">
        <ocs:format>http://my.netscape.com/publish/formats/rss-0.91.dtd</ocs:format>
      </rdf:Description>
    </rdf:Description>
    <rdf:Description about="http://site-b/">
      <dc:title>Only other formats</dc:title>
      <rdf:Description about="http://site-b/feed.rdf"><ocs:format>http://purl.org/rss/1.0/</ocs:format></rdf:Description>
    </rdf:Description>
    <rdf:Description about="">
      <rdf:Description about="http://no-site/rss.xml"><ocs:format>http://my.netscape.com/publish/formats/rss-0.91.dtd</ocs:format></rdf:Description>
    </rdf:Description>
    <rdf:Description about="http://site-c/">
      <rdf:Description about="http://site-c/c.xml"><ocs:format>http://my.netscape.com/publish/formats/rss-0.91.dtd</ocs:format></rdf:Description>
    </rdf:Description>
  </rdf:Description>
</rdf:RDF>)";
  FoundFeedList expected = {
      {"http://site-a/", "http://site-a/rss091.xml", "About A", "Site A"},
      {"http://site-c/", "http://site-c/c.xml", "", ""},
  };
  EXPECT_EQ(ReadOcs(xml), expected);
}

TEST(ParseOcsDirectoryTest, NothingWithoutDirectory) {
  EXPECT_TRUE(ReadOcs("<rdf:RDF/>").empty());
  EXPECT_TRUE(ReadOcs("<rdf:RDF><other/></rdf:RDF>").empty());
  EXPECT_TRUE(ReadOcs("<rdf:RDF><rdf:Description about='x'/></rdf:RDF>").empty());
}

TEST(ParseDirectoryItemsTest, ItemsWithUrlTitleAndLink) {
  XMLParser::Document document;
  const XMLParser::Node& root = document.ParseBuffer(
      "<list>"
      "<item><url>http://site/</url><title>Site</title><link>http://site/rss</link></item>"
      "<item><url>http://m/</url><title>Moreover</title><link>http://m/rss</link></item>"
      "<item><url>http://n/</url><title>NewsIsFree</title><link>http://n/rss</link></item>"
      "<item><url>http://partial/</url><title>No link</title></item>"
      "<other><url>u</url><title>t</title><link>l</link></other>"
      "</list>");
  FoundFeedList list;
  EXPECT_TRUE(ParseDirectoryItems(root, list));
  FoundFeedList expected = {{"http://site/", "http://site/rss", "", "Site"}};
  EXPECT_EQ(list, expected);

  FoundFeedList none;
  EXPECT_FALSE(ParseDirectoryItems(document.ParseBuffer("<list/>"), none));
  EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace tarsel
