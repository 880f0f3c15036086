#include "view/record_render_script.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

TEST(RecordRenderScriptTest, StringLiteralsCannotBeLeft) {
  struct Case {
    const char* name;
    std::string text, expected;
  } cases[] = {
      {"plain", "abc", "\"abc\""},
      {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line break and control", "a\nb\x01", "\"a\\u000ab\\u0001\""},
      {"nul byte", std::string("a\0b", 3), "\"a\\u0000b\""},
      {"closing tag stays text", "</script>", "\"</script>\""},
      {"line separators",
       "a\xE2\x80\xA8"
       "b\xE2\x80\xA9",
       "\"a\\u2028b\\u2029\""},
      {"other three-byte text kept", "\xE2\x82\xAC", "\"\xE2\x82\xAC\""},
      {"cut sequence at the end", "a\xE2\x80", "\"a\xE2\x80\""},
  };
  for (const Case& c : cases) {
    std::string out;
    AppendJavaScriptString(c.text, out);
    EXPECT_EQ(out, c.expected) << c.name;
  }
}

TEST(RecordRenderScriptTest, BodyScriptCarriesTheBodyAsOneLiteral) {
  const std::string script = BodyAssignmentScript("<p onclick=\"x\">\n</p>");
  EXPECT_NE(script.find("(\"<p onclick=\\\"x\\\">\\u000a</p>\");"), std::string::npos) << script;
}

}  // namespace
}  // namespace tarsel
