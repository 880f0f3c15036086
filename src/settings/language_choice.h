#pragma once

// Which translation the interface uses: `lang_id` from the settings, and for "automatic" the
// language of the user's locale and of the system's. No Qt here; any thread.

#include <string>
#include <string_view>

namespace tarsel {

enum class Language { kEnglish, kFrench, kRussian };

// "russian" and "french" choose their language; "automatic" chooses Russian when either locale
// name is Russian (tested first), else French when either is French; anything else is English.
// Locale names look like "ru_RU.UTF-8", "fr", "fr_CA@euro"; empty means unknown.
Language ChooseLanguage(std::string_view lang_id, std::string_view user_locale,
                        std::string_view system_locale);

// The user's locale for messages: the first entry of LANGUAGE, else LC_ALL, LC_MESSAGES, LANG
// (first non-empty), read at each call.
std::string UserMessagesLocale();

// The system's default locale: LANG from /etc/default/locale or /etc/locale.conf; empty when
// neither names one.
std::string SystemDefaultLocale();

// The translation file of a language, relative to the program folder; empty for English.
std::string TranslationFileName(Language language);

// The Windows code page the translation file of `language` is written in (1252 for English).
int TranslationCodePage(Language language);

}  // namespace tarsel
