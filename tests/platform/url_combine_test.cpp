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

// Most references take liburiparser's way, the rest curl's; both must give curl's result. These
// are where the two differ, so each must go curl's way.
TEST(CombineUrl, GivesCurlsResultWhereTheLibrariesDiffer) {
  struct Case {
    const char* base;
    const char* relative;
    const char* combined;
  } const cases[] = {
      {"http://x.org/a/c.html", "//cdn.org", "http://cdn.org/"},
      {"http://x.org/a/c.html", "?", "http://x.org/a/c.html"},
      {"http://x.org/a/c.html", "#", "http://x.org/a/c.html"},
      {"http://x.org/a/c.html", "#a?b", "http://x.org/a/c.html#a%3fb"},
      {"http://x.org/a/c.html", "#top", "http://x.org/a/c.html#top"},
      {"http://x.org/", "..//a", "http://x.org/a"},
      {"http://x.org", "?page=2", "http://x.org/?page=2"},
      {"HTTP://X.Org/A/b", "c?d=1#e", "http://X.Org/A/c?d=1#e"},
      {"http://x.org/a/c.html#frag", "?q", "http://x.org/a/c.html#frag?q"},
      {"http://[::1]/a/", "b", "http://[::1]/a/b"},
      {"file:///a/b", "c?d", "file:///a/c"},
      {"http://x.org/a/", "b?q=a b", "http://x.org/a/b?q=a+b"},
      {"http://x.org/a/", "%zz", "http://x.org/a/%zz"},
      {"http://x.org/a/", "a|b", "http://x.org/a/a|b"},
      {"http://x.org/a/b/", "../../../x%20y;p?q=%41#f", "http://x.org/x%20y;p?q=%41#f"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.base) + " + " + c.relative);
    EXPECT_EQ(CombineUrl(c.base, c.relative).value_or("(failed)"), c.combined);
  }
}

TEST(CombineUrl, ZeroByteFailsRatherThanCutting) {
  EXPECT_FALSE(CombineUrl("http://x.org/", std::string("a\0b", 3)).has_value());
}

}  // namespace
}  // namespace tarsel
