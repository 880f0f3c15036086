#include "net/download/gzip_body.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "net/download/download_test_support.h"
#include "net/http/http_exception.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

TEST(GunzipThroughFileTest, TextOrCodeTwoAndNoFileLeft) {
  testing::TempDir folder;
  const std::string text(3000, 'r');
  const struct {
    const char* name;
    std::string body;
    std::string temp_path;
    size_t max_size;
    std::optional<std::string> text;  // nothing: throws code 2
  } cases[] = {
      {"gzip", testing::Gzip(text), folder.File("c.gz"), kMaxDecompressedSize, text},
      {"ends at a zero byte", testing::Gzip(std::string("ab\0cd", 5)), folder.File("c.gz"),
       kMaxDecompressedSize, "ab"},
      {"not gzip at all passes through", "<rss/>", folder.File("c.gz"), kMaxDecompressedSize,
       "<rss/>"},
      {"exactly the cap", testing::Gzip(text), folder.File("c.gz"), text.size(), text},
      {"over the cap", testing::Gzip(text), folder.File("c.gz"), text.size() - 1, std::nullopt},
      {"folder missing", testing::Gzip(text), folder.File("none/c.gz"), kMaxDecompressedSize,
       std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<std::string> got;
    try {
      got = GunzipThroughFile(c.body, c.temp_path, c.max_size);
    } catch (const HTTP::CHttpExeption& error) {
      EXPECT_EQ(error.Code(), 2);
    }
    EXPECT_EQ(got, c.text);
    EXPECT_FALSE(std::filesystem::exists(c.temp_path));
  }
}

}  // namespace
}  // namespace tarsel
