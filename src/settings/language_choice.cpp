#include "settings/language_choice.h"

#include <cstdlib>
#include <fstream>

namespace tarsel {
namespace {

// "ru_RU.UTF-8" -> "ru"; "Russian_Russia.1251" -> "russian".
std::string LanguagePart(std::string_view locale) {
  std::string language(locale.substr(0, locale.find_first_of("_.@-")));
  for (char& c : language) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return language;
}

bool IsLanguage(std::string_view locale, std::string_view code, std::string_view name) {
  const std::string language = LanguagePart(locale);
  return language == code || language == name;
}

// The value of `LANG=...` in a file of shell-style assignments, unquoted.
std::string LangAssignment(const char* path) {
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.starts_with("LANG=")) continue;
    std::string value = line.substr(5);
    while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return {};
}

}  // namespace

Language ChooseLanguage(std::string_view lang_id, std::string_view user_locale,
                        std::string_view system_locale) {
  if (lang_id == "russian") return Language::kRussian;
  if (lang_id == "french") return Language::kFrench;
  if (lang_id != "automatic") return Language::kEnglish;
  if (IsLanguage(user_locale, "ru", "russian") || IsLanguage(system_locale, "ru", "russian"))
    return Language::kRussian;
  if (IsLanguage(user_locale, "fr", "french") || IsLanguage(system_locale, "fr", "french"))
    return Language::kFrench;
  return Language::kEnglish;
}

std::string UserMessagesLocale() {
  if (const char* list = std::getenv("LANGUAGE"); list != nullptr && *list != '\0') {
    std::string_view first(list);
    first = first.substr(0, first.find(':'));
    if (!first.empty()) return std::string(first);
  }
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

std::string SystemDefaultLocale() {
  for (const char* path : {"/etc/default/locale", "/etc/locale.conf"}) {
    std::string lang = LangAssignment(path);
    if (!lang.empty()) return lang;
  }
  return {};
}

std::string TranslationFileName(Language language) {
  switch (language) {
    case Language::kRussian:
      return "localization/tarsel.russian.xml";
    case Language::kFrench:
      return "localization/tarsel.french.xml";
    case Language::kEnglish:
      break;
  }
  return {};
}

int TranslationCodePage(Language language) {
  return language == Language::kRussian ? 1251 : 1252;
}

}  // namespace tarsel
