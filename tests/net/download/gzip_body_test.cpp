#include "net/download/gzip_body.h"

#include <gtest/gtest.h>

#include <optional>

#include "net/download/download_test_support.h"
#include "net/http/http_exception.h"

namespace tarsel {
namespace {

TEST(GunzipBodyTest, TextOrCodeTwo) {
  const std::string text(3000, 'r');
  const std::string gzip = testing::Gzip(text);
  std::string damaged = testing::Gzip(std::string(5000, 'a') + text);
  damaged[damaged.size() / 2] ^= 0x55;
  const struct {
    const char* name;
    std::string body;
    size_t max_size;
    std::optional<std::string> text;  // nothing: throws, code 2 or 10 (over the cap)
  } cases[] = {
      {"gzip", gzip, kMaxDecompressedSize, text},
      {"ends at a zero byte", testing::Gzip(std::string("ab\0cd", 5)), kMaxDecompressedSize, "ab"},
      {"not gzip at all passes through", "<rss/>", kMaxDecompressedSize, "<rss/>"},
      {"members one after another", testing::Gzip("<rss>") + testing::Gzip("</rss>"),
       kMaxDecompressedSize, "<rss></rss>"},
      {"bytes after the last member are ignored", gzip + "\r\n", kMaxDecompressedSize, text},
      {"exactly the cap", gzip, text.size(), text},
      {"over the cap", gzip, text.size() - 1, std::nullopt},
      {"a bomb stops at the cap", testing::Gzip(std::string(1 << 22, 'x')), 1 << 20, std::nullopt},
      {"plain text over the cap", "<rss/>", 5, std::nullopt},
      {"cut off", gzip.substr(0, gzip.size() / 2), kMaxDecompressedSize, std::nullopt},
      {"cut off in the trailer", gzip.substr(0, gzip.size() - 3), kMaxDecompressedSize,
       std::nullopt},
      {"damaged", damaged, kMaxDecompressedSize, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<std::string> got;
    try {
      got = GunzipBody(c.body, c.max_size);
    } catch (const HTTP::CHttpExeption& error) {
      const bool over_cap = std::string_view(c.name).find("cap") != std::string_view::npos;
      EXPECT_EQ(error.Code(), over_cap ? HTTP::kErrorTooLarge : HTTP::kErrorConnect);
    }
    EXPECT_EQ(got, c.text);
  }
}

}  // namespace
}  // namespace tarsel
