#include "view/string_table.h"

#include <unordered_map>

#include "settings/translation_table.h"

namespace tarsel {

const std::vector<StringEntry>& BuiltInStrings() {
  static const std::vector<StringEntry> all = [] {
    std::vector<StringEntry> entries;
    for (auto table : {MainWindowStrings(), RecordPaneStrings(), RecordsListStrings(),
                       TrayStrings(), DialogStrings(), StandardStrings(), BlogStrings(),
                       ServiceStrings(), AccessibleStrings(), FailureStrings()})
      entries.insert(entries.end(), table.begin(), table.end());
    return entries;
  }();
  return all;
}

std::string EnglishText(int id) {
  static const std::unordered_map<int, const char*> by_id = [] {
    std::unordered_map<int, const char*> map;
    // The first table that names an id wins: several parts may quote the same text.
    for (const StringEntry& entry : BuiltInStrings()) map.emplace(entry.id, entry.english);
    return map;
  }();
  auto found = by_id.find(id);
  return found == by_id.end() ? std::string() : std::string(found->second);
}

std::string GetText(int id) {
  if (const std::string* translated = TranslatedString(id)) return *translated;
  return EnglishText(id);
}

}  // namespace tarsel
