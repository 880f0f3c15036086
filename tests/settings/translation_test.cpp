#include <gtest/gtest.h>

#include <string>

#include "platform/system_code_page.h"
#include "settings/language_choice.h"
#include "settings/translation_table.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

struct LanguageCase {
  const char* lang_id;
  const char* user;
  const char* system;
  Language expected;
};

TEST(ChooseLanguage, FollowsLangIdThenTheLocales) {
  const LanguageCase cases[] = {
      {"automatic", "ru_RU.UTF-8", "fr_FR.UTF-8", Language::kRussian},  // Russian is tested first
      {"automatic", "fr_FR.UTF-8", "ru_RU", Language::kRussian},
      {"automatic", "fr_CA.UTF-8", "en_US.UTF-8", Language::kFrench},
      {"automatic", "C", "fr_FR@euro", Language::kFrench},
      {"automatic", "en_GB.UTF-8", "", Language::kEnglish},
      {"automatic", "", "", Language::kEnglish},
      {"automatic", "fy_NL", "rue_UA", Language::kEnglish},   // not French, not Russian
      {"french", "ru_RU.UTF-8", "ru_RU", Language::kFrench},  // the setting wins
      {"russian", "en_US", "", Language::kRussian},
      {"German", "ru_RU.UTF-8", "", Language::kEnglish},
      {"", "fr_FR", "", Language::kEnglish},
      {"Automatic", "fr_FR", "", Language::kEnglish},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseLanguage(c.lang_id, c.user, c.system), c.expected)
        << c.lang_id << " / " << c.user << " / " << c.system;
  }
}

TEST(ChooseLanguage, UserLocaleComesFromLanguageListFirst) {
  testing::ScopedEnv language("LANGUAGE", "ru:fr");
  testing::ScopedEnv all("LC_ALL", "fr_FR.UTF-8");
  EXPECT_EQ(UserMessagesLocale(), "ru");
}

TranslationTable Read(const std::string& document, bool* complete = nullptr) {
  TranslationTable table;
  const bool whole = ReadTranslation(table, document, 1252, 1252);
  if (complete != nullptr) *complete = whole;
  return table;
}

TEST(ReadTranslation, StringsAreDecodedAndZeroIdsIgnored) {
  bool complete = false;
  TranslationTable table = Read(
      "<?xml version='1.0'?><Lang><STRINGS>"
      "<string value='10' text='Fen%EAtre'/><string value='0' text='zero'/>"
      "<string text='no id'/><string value='11' text='first'/><string value='11' text='second'/>"
      "<other value='12' text='x'/></STRINGS><strings><string value='13' text='%41%'/></strings>"
      "</Lang>",
      &complete);
  EXPECT_TRUE(complete);
  EXPECT_EQ(table.strings.size(), 3u);
  EXPECT_EQ(table.strings[10], "Fen\xEAtre");
  EXPECT_EQ(table.strings[11], "second");
  EXPECT_EQ(table.strings[13], "A%");
}

TEST(ReadTranslation, DialogsKeepEmptyCaptionsAndSkipZeroControls) {
  TranslationTable table = Read(
      "<l><dialog value='320'><control value='1001' text='Un'/><control value='0' text='z'/>"
      "<control value='1001' text='Deux'/></dialog><dialog value='0' text='ignored'/></l>");
  ASSERT_EQ(table.dialogs.size(), 1u);
  EXPECT_EQ(table.dialogs[320].caption, "");
  EXPECT_EQ(table.dialogs[320].controls, (std::map<int, std::string>{{1001, "Deux"}}));
}

TEST(ReadTranslation, MenuItemsKeepTheirOrderAndZeroCommandsTakeNoPosition) {
  TranslationTable table = Read(
      "<l><menu value='128'><popup text='%26Fichier'><command value='57600' text='Nouveau'/>"
      "<command value='0' text='gone'/><separator/><popup text='Sous'><command value='5' "
      "text='cinq'/></popup></popup><command value='7' text='sept'/></menu></l>");
  using Kind = MenuItemTranslation::Kind;
  const MenuTranslation& menu = table.menus[128];
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].kind, Kind::kPopup);
  EXPECT_EQ(menu[0].text, "&Fichier");
  ASSERT_EQ(menu[0].children.size(), 3u);
  EXPECT_EQ(menu[0].children[0].command, 57600);
  EXPECT_EQ(menu[0].children[1].kind, Kind::kSeparator);
  EXPECT_EQ(menu[0].children[2].children.at(0).text, "cinq");
  EXPECT_EQ(menu[1].command, 7);
}

// Broken documents give the entries read before the break, and never throw or hang.
TEST(ReadTranslation, BrokenDocumentsKeepWhatCameBeforeTheError) {
  const std::string head =
      "<l><strings><string value='1' text='un'/><string value='2' text='deux'/>";
  struct Case {
    const char* name;
    std::string document;
    size_t strings;
  } cases[] = {
      {"empty", "", 0},
      {"no root children", "<l/>", 0},
      {"cut inside an attribute", head + "<string value='3' text='tr", 2},
      {"cut after a tag", head, 2},
      {"cut inside a comment", head + "<!-- a", 2},
      {"wrong end tag", head + "</menu>", 2},
      {"zero byte", head + std::string(1, '\0') + "<string value='3' text='x'/>", 2},
      {"garbage before the root", "garbage<l/>", 0},
      {"bad escapes", "<l><strings><string value='5' text='%G1%zz%e9%'/></strings></l>", 1},
      {"quote with a '>' inside", head + "<string value='3' text='a>b'/><string value=", 3},
  };
  for (const auto& c : cases) {
    bool complete = true;
    TranslationTable table = Read(c.document, &complete);
    EXPECT_EQ(table.strings.size(), c.strings) << c.name;
    if (c.strings >= 2 && c.document.starts_with(head)) {
      EXPECT_EQ(table.strings[2], "deux") << c.name;
    }
  }
}

TEST(ReadTranslation, DeepNestingKeepsTheEntriesBeforeIt) {
  std::string document = "<l><strings><string value='1' text='un'/></strings><menu value='9'>";
  for (int i = 0; i < 100000; ++i) document += "<popup text='p'>";
  TranslationTable table = Read(document);
  EXPECT_EQ(table.strings[1], "un");
  EXPECT_EQ(table.menus.count(9), 1u);
}

TEST(ReadTranslation, TextsAreConvertedIntoTheProgramCodePage) {
  const std::string russian = "<l><strings><string value='1' text='%CF%F0%E8'/></strings></l>";
  TranslationTable same;
  ReadTranslation(same, russian, 1251, 1251);
  EXPECT_EQ(same.strings[1], "\xCF\xF0\xE8");
  TranslationTable latin;
  ReadTranslation(latin, russian, 1251, 1252);  // Cyrillic has no place in Windows-1252
  EXPECT_EQ(latin.strings[1], "???");
  TranslationTable utf8;
  ReadTranslation(utf8, russian, 1251, kCodePageUtf8);  // a UTF-8 desktop
  EXPECT_EQ(utf8.strings[1], "\xD0\x9F\xD1\x80\xD0\xB8");
}

TEST(LoadTranslationFile, MissingHugeAndCutFiles) {
  testing::TempDir dir;
  TranslationTable table;
  EXPECT_FALSE(LoadTranslationFile(table, dir.path() + "/none.xml", 1252, 1252));
  EXPECT_TRUE(table.Empty());

  // 50 MB, cut off inside one long text: the string before it stays.
  std::string big = "<l><strings><string value='1' text='un'/><string value='2' text='";
  big.append(50u << 20, 'a');
  testing::WriteFileBytes(dir.path() + "/big.xml", big);
  EXPECT_FALSE(LoadTranslationFile(table, dir.path() + "/big.xml", 1252, 1252));
  EXPECT_EQ(table.strings.size(), 1u);
  EXPECT_EQ(table.strings[1], "un");
}

}  // namespace
}  // namespace tarsel
