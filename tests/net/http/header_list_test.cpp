#include "net/http/header_list.h"

#include <gtest/gtest.h>

namespace tarsel::HTTP {
namespace {

TEST(HeaderListTest, RequestBlockKeepsOrderWithoutBlankAfterColon) {
  CHeaderList headers;
  headers.Add("Accept", "*/*");
  headers.Add("If-None-Match", "\"v1\"");
  headers.Add("Accept-Encoding", "gzip");
  EXPECT_EQ(headers.RequestBlock(),
            "Accept:*/*\r\nIf-None-Match:\"v1\"\r\nAccept-Encoding:gzip\r\n");
  EXPECT_EQ(CHeaderList().RequestBlock(), "");
}

TEST(HeaderListTest, LookupIgnoresCaseAndTakesTheFirst) {
  int status = 0;
  CHeaderList headers = CHeaderList::ParseResponse(
      "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nSET-COOKIE: b=2\r\n", &status);
  EXPECT_EQ(headers.Find("set-cookie"), "a=1");
  EXPECT_EQ(headers.Find("Set-Cookie"), "a=1");
  EXPECT_EQ(headers.Find("etag"), "");
  EXPECT_FALSE(headers.Contains("etag"));
}

struct ParseCase {
  const char* name;
  const char* raw;
  int status;
  std::vector<CHeaderList::Pair> pairs;
};

class ParseResponseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseResponseTest, SplitsStatusAndPairs) {
  const ParseCase& c = GetParam();
  int status = -1;
  CHeaderList headers = CHeaderList::ParseResponse(c.raw, &status);
  EXPECT_EQ(status, c.status);
  EXPECT_EQ(headers.Pairs(), c.pairs);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, ParseResponseTest,
    ::testing::Values(
        ParseCase{"Plain",
                  "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nETag: \"x\"\r\n",
                  200,
                  {{"content-type", "text/xml"}, {"etag", "\"x\""}}},
        ParseCase{
            "BareLineFeeds", "HTTP/1.0 404 Not Found\nServer:  srv \n", 404, {{"server", "srv "}}},
        ParseCase{"ColonInValue",
                  "HTTP/1.1 301 Moved\r\nLocation: http://a:8080/x\r\n",
                  301,
                  {{"location", "http://a:8080/x"}}},
        ParseCase{
            "LinesWithoutColonSkipped", "HTTP/1.1 200 OK\r\ngarbage\r\nA:1\r\n", 200, {{"a", "1"}}},
        ParseCase{"EmptyNameAndValue",
                  "HTTP/1.1 200 OK\r\n: v\r\nEmpty:\r\n",
                  200,
                  {{"", "v"}, {"empty", ""}}},
        ParseCase{"NoBlankInStatusLine", "HTTP/1.1\r\nA: 1\r\n", 0, {{"a", "1"}}},
        ParseCase{"NonNumericStatus", "HTTP/1.1 abc\r\n", 0, {}},
        ParseCase{"HugeStatus", "HTTP/1.1 99999999999999999999\r\n", 0, {}},
        ParseCase{"NothingAtAll", "", 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderListTest, CharsetFromContentType) {
  struct Case {
    const char* content_type;
    int charset;
  } cases[] = {
      {"text/xml; charset=UTF-8", kCharsetUtf8},
      {"text/xml;charset=utf-8", kCharsetUtf8},
      {"text/xml; charset=\"utf-8\"", kCharsetNone},  // the quote is compared too
      {"text/html; charset=KOI8-R", kCharsetKoi8r},
      {"text/html; charset=iso-8859-2", kCharsetIso88592},
      {"text/html; charset=windows-1251", kCharsetNone},
      {"text/xml; charset=utf-8; format=flowed", kCharsetNone},
      {"text/xml; CHARSET=utf-8", kCharsetNone},  // found case-sensitively
      {"text/xml; charset", kCharsetNone},
      {"text/xml; charset=", kCharsetNone},
      {"charsetXutf-8", kCharsetUtf8},  // eight bytes on, whatever the separator
      {"", kCharsetNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharsetFromContentType(c.content_type), c.charset) << c.content_type;
  }
}

TEST(HeaderListTest, ContentLength) {
  struct Case {
    const char* value;
    long long length;
  } cases[] = {
      {"5000", 5000}, {"", 0},  {"-5", 0}, {"12abc", 12}, {"99999999999999999999", 0},
      {"abc", 0},     {"0", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseContentLength(c.value), c.length) << c.value;
}

}  // namespace
}  // namespace tarsel::HTTP
