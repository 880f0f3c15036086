#include "app/language.h"

#include "platform/folders.h"
#include "platform/system_code_page.h"
#include "settings/translation_table.h"

namespace tarsel {

Language ApplyLanguage(const Settings& settings) {
  const Language language =
      ChooseLanguage(settings.lang_id, UserMessagesLocale(), SystemDefaultLocale());
  if (language == Language::kEnglish) return language;
  // The texts are converted into the program's code page as they are read, so a Russian
  // translation shows right on a UTF-8 desktop as on a Windows-1251 one.
  LoadTranslationFile(ProcessTranslations(), ProgramFolder() + TranslationFileName(language),
                      TranslationCodePage(language), SystemCodePage());
  return language;
}

}  // namespace tarsel
