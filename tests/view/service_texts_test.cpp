// The services' messages reach the user in the loaded language: each comes from the translation
// by the id the string table lists it under.
#include "services/service_texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "services/blog_settings_check.h"
#include "services/version_compare.h"
#include "settings/translation_table.h"
#include "view/string_table.h"

namespace tarsel {
namespace {

TEST(ServiceTexts, ComeFromTheLoadedTranslation) {
  for (const StringEntry& entry : ServiceStrings())
    ProcessTranslations().strings[entry.id] = "<" + std::to_string(entry.id) + ">";
  BlogSettings blog;
  const auto check = [&blog](BlogSettingsInput input) {
    return ApplyBlogSettingsInput(input, blog).value_or("");
  };
  const struct {
    const char* name;
    std::string shown;
    std::string expected;
  } kCases[] = {
      {"no service", check({}), "<65100>"},
      {"no account", check({false, "Blogger"}), "<65101>"},
      {"no password", check({false, "Blogger", "", "", "me"}), "<65102>"},
      {"no Movable Type host", check({false, "Movable Type", "", "/p", "me", "pw"}), "<65103>"},
      {"no Movable Type page", check({false, "Movable Type", "http://h", "", "me", "pw"}),
       "<65104>"},
      {"new version",
       NewVersionNoticeText({"9", "1 build 1", "Faster"}, "2.0 build 158").value_or(""),
       "<65113>\n<65114>9 1 build 1\n<65115>\nFaster"},
  };
  ProcessTranslations() = TranslationTable();
  for (const auto& row : kCases) EXPECT_EQ(row.shown, row.expected) << row.name;
}

}  // namespace
}  // namespace tarsel
