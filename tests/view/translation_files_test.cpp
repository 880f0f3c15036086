// The shipped French and Russian translations cover every text of the program, hold no id the
// program does not know, keep the English text's format fields, were made from today's English,
// and leave no English behind. Their dialog entries say what their strings say.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "settings/translation_table.h"
#include "view/command_table.h"
#include "view/string_table.h"

namespace tarsel {
namespace {

const std::string kSource = TARSEL_TEST_DATA "/../..";

// printf fields, in order: a translation with other fields would crash or garble a message.
std::vector<std::string> FormatFields(const std::string& text) {
  static const std::regex kField("%[-+ 0#]*[0-9]*(\\.[0-9]+)?(l|ll|h|z)?[dsuxXcfgi%]");
  std::vector<std::string> fields;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kField);
       it != std::sregex_iterator(); ++it)
    fields.push_back(it->str());
  return fields;
}

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (char c : text)
    escaped += c == '\n' ? std::string("\\n") : c == '\t' ? "\\t" : std::string(1, c);
  return escaped;
}

std::map<int, std::string> BuiltInEnglish() {
  std::map<int, std::string> english;
  for (const StringEntry& entry : BuiltInStrings()) {
    if (entry.id != 0) english.emplace(entry.id, EnglishText(entry.id));
  }
  return english;
}

// id<TAB>text lines of a readable table, '#' lines skipped; texts stay escaped.
std::map<int, std::string> ReadTable(const std::string& path) {
  std::map<int, std::string> table;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    const size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    table[std::stoi(line.substr(0, tab))] = line.substr(tab + 1);
  }
  return table;
}

// Texts that are the same in the language as in English: names, and words both languages share.
const std::set<std::string>& SameInEveryLanguage() {
  static const std::set<std::string> kNames = {
      "Tarsel",    "Tarsel %s",   "Moreover",     "NewsIsFree", "MyRSS", "WYSIWYG", "Blogger",
      "w.Bloggar", "LiveJournal", "Movable Type", "OK",         "URL",   "hh:mm:ss"};
  return kNames;
}
const std::set<std::string> kSameInFrench = {"Question",    "Notification", "Descriptions\tCtrl+D",
                                             "Suggestions", "Condition",    "Service",
                                             "Page",        "Actions",      "Archive",
                                             "Interface",   "Blog",         "Proxy",
                                             "Port",        "Animation"};

// Where a translated menu differs from the program's menu: entry kinds, commands and texts by
// position. Empty when they match.
std::string MenuDifferences(const MenuTranslation& items, const std::vector<MenuEntry>& entries,
                            const TranslationTable& table, const std::string& where) {
  if (items.size() != entries.size()) return where + ": entry count\n";
  std::string differences;
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string at = where + "/" + std::to_string(i);
    const MenuItemTranslation& item = items[i];
    const MenuEntry& entry = entries[i];
    if (static_cast<int>(item.kind) != static_cast<int>(entry.kind)) {
      differences += at + ": kind\n";
      continue;
    }
    if (entry.kind == MenuEntryKind::kSeparator) continue;
    auto text = table.strings.find(EntryTextId(entry));
    if (text == table.strings.end() || text->second != item.text) differences += at + ": text\n";
    if (entry.kind == MenuEntryKind::kCommand && item.command != entry.command)
      differences += at + ": command\n";
    if (entry.kind == MenuEntryKind::kPopup)
      differences += MenuDifferences(item.children, entry.children, table, at);
  }
  return differences;
}

TEST(TranslationFiles, WereMadeFromTodaysEnglish) {
  const std::map<int, std::string> recorded =
      ReadTable(kSource + "/scripts/translations/english.tsv");
  std::string changed;
  for (const auto& [id, text] : BuiltInEnglish()) {
    auto found = recorded.find(id);
    if (found == recorded.end() || found->second != Escaped(text))
      changed += std::to_string(id) + "\t" + Escaped(text) + "\n";
  }
  EXPECT_EQ(changed, "") << "translate these anew in french.tsv and russian.tsv, then record "
                            "their English in english.tsv";
}

TEST(TranslationFiles, CoverEveryStringAndLeaveNoEnglish) {
  const std::map<int, std::string> english = BuiltInEnglish();
  for (const auto& [file, code_page] :
       {std::pair{"tarsel.french.xml", 1252}, std::pair{"tarsel.russian.xml", 1251}}) {
    SCOPED_TRACE(file);
    TranslationTable table;
    ASSERT_TRUE(
        LoadTranslationFile(table, kSource + "/localization/" + file, code_page, code_page));
    std::string missing;
    for (const auto& [id, text] : english) {
      if (table.strings.count(id) == 0) missing += std::to_string(id) + "\t" + Escaped(text) + "\n";
    }
    EXPECT_EQ(missing, "");
    const bool french = code_page == 1252;
    for (const auto& [id, text] : table.strings) {
      auto found = english.find(id);
      if (found == english.end()) {
        ADD_FAILURE() << "id " << id << " is not the program's";
        continue;
      }
      EXPECT_FALSE(text.empty() && !found->second.empty()) << id;
      EXPECT_EQ(FormatFields(text), FormatFields(found->second)) << id << " " << found->second;
      const bool same_word =
          SameInEveryLanguage().count(text) != 0 || (french && kSameInFrench.count(text) != 0);
      EXPECT_TRUE(text != found->second || !std::regex_search(text, std::regex("[A-Za-z]{2}")) ||
                  same_word)
          << "English left in the translation: " << id << " " << text;
    }
    EXPECT_FALSE(table.dialogs.empty());
    for (int menu : MenuIds()) {
      auto found = table.menus.find(menu);
      ASSERT_NE(found, table.menus.end()) << "menu " << menu;
      EXPECT_EQ(MenuDifferences(found->second, MenuEntries(menu), table, std::to_string(menu)), "")
          << "scripts/translations/menus.tsv no longer lists the program's menu";
    }
    for (const auto& [dialog, translation] : table.dialogs) {
      for (const auto& [control, text] : translation.controls)
        EXPECT_EQ(text, table.strings[control]) << "dialog " << dialog << " control " << control;
    }
  }
}

}  // namespace
}  // namespace tarsel
