#include "platform/url_combine.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(CombineUrl, ResolvesReferences) {
  struct Case {
    const char* base;
    const char* relative;
    const char* combined;  // nullptr: the combination fails
  } const cases[] = {
      {"http://x.org/a/c.html", "b.html", "http://x.org/a/b.html"},
      {"http://x.org/a/c.html", "../b.html", "http://x.org/b.html"},
      {"http://x.org/a/c.html", "/root.png", "http://x.org/root.png"},
      {"http://x.org/a/c.html", "//cdn.org/i.png", "http://cdn.org/i.png"},
      {"http://x.org/a/c.html", "?page=2", "http://x.org/a/c.html?page=2"},
      {"http://x.org/a/c.html?z=1", "#part", "http://x.org/a/c.html?z=1#part"},
      {"http://x.org/a/c.html", "", "http://x.org/a/c.html"},
      {"http://x.org", "i.png", "http://x.org/i.png"},
      {"https://u:p@x.org:8080/a/b", "c", "https://u:p@x.org:8080/a/c"},
      {"http://x.org/a/", "my file.html", "http://x.org/a/my%20file.html"},
      {"http://x.org/a/", "mailto:a@b.org", "mailto:a@b.org"},
      {"http://x.org/a/", "ftp://h/f", "ftp://h/f"},
      {"feed://x.org/a/", "b", "feed://x.org/a/b"},
      {"x.org/a/", "i.png", nullptr},
      {"", "i.png", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.base) + " + " + c.relative);
    const std::optional<std::string> combined = CombineUrl(c.base, c.relative);
    if (c.combined == nullptr) {
      EXPECT_FALSE(combined.has_value()) << *combined;
    } else {
      EXPECT_EQ(combined.value_or("(failed)"), c.combined);
    }
  }
}

TEST(CombineUrl, ZeroByteFailsRatherThanCutting) {
  EXPECT_FALSE(CombineUrl("http://x.org/", std::string("a\0b", 3)).has_value());
}

}  // namespace
}  // namespace tarsel
