// The shipped French and Russian translations cover every text of the program, hold no id the
// program does not know, and keep the English text's format fields.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "settings/translation_table.h"
#include "view/string_table.h"

namespace tarsel {
namespace {

// printf fields, in order: a translation with other fields would crash or garble a message.
std::vector<std::string> FormatFields(const std::string& text) {
  static const std::regex kField("%[-+ 0#]*[0-9]*(\\.[0-9]+)?(l|ll|h|z)?[dsuxXcfgi%]");
  std::vector<std::string> fields;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kField);
       it != std::sregex_iterator(); ++it)
    fields.push_back(it->str());
  return fields;
}

// One line per missing id, ready to be translated into the language's .tsv.
std::string MissingLines(const std::map<int, std::string>& english, const TranslationTable& table) {
  std::string lines;
  for (const auto& [id, text] : english) {
    if (table.strings.count(id) != 0) continue;
    std::string escaped;
    for (char c : text)
      escaped += c == '\n' ? std::string("\\n") : c == '\t' ? "\\t" : std::string(1, c);
    lines += std::to_string(id) + "\t" + escaped + "\n";
  }
  return lines;
}

TEST(TranslationFiles, CoverEveryStringAndNoOther) {
  std::map<int, std::string> english;
  for (const StringEntry& entry : BuiltInStrings()) {
    if (entry.id != 0) english.emplace(entry.id, entry.english);
  }
  for (const auto& [file, code_page] :
       {std::pair{"tarsel.french.xml", 1252}, std::pair{"tarsel.russian.xml", 1251}}) {
    SCOPED_TRACE(file);
    TranslationTable table;
    ASSERT_TRUE(LoadTranslationFile(
        table, std::string(TARSEL_TEST_DATA "/../../localization/") + file, code_page, code_page));
    EXPECT_EQ(MissingLines(english, table), "");
    for (const auto& [id, text] : table.strings) {
      auto found = english.find(id);
      if (found == english.end()) {
        ADD_FAILURE() << "id " << id << " is not the program's";
        continue;
      }
      EXPECT_FALSE(text.empty() && !found->second.empty()) << id;
      EXPECT_EQ(FormatFields(text), FormatFields(found->second)) << id << " " << found->second;
    }
    EXPECT_TRUE(table.dialogs.empty() && table.menus.empty())
        << "dialogs and menus take their texts from the strings";
  }
}

}  // namespace
}  // namespace tarsel
