#include "settings/translation_table.h"

#include <cstdio>
#include <memory>

namespace tarsel {

TranslationTable& ProcessTranslations() {
  static TranslationTable table;
  return table;
}

const std::string* TranslatedString(int id) {
  const TranslationTable& table = ProcessTranslations();
  auto found = table.strings.find(id);
  return found == table.strings.end() ? nullptr : &found->second;
}

std::string TranslatedOr(int id, std::string_view english) {
  const std::string* translated = TranslatedString(id);
  return translated != nullptr ? *translated : std::string(english);
}

bool LoadTranslationFile(TranslationTable& table, const std::string& path, int file_code_page,
                         int program_code_page) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return false;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file.get());
  if (size < 0 || static_cast<unsigned long>(size) > kMaxTranslationFileBytes) return false;
  std::rewind(file.get());
  std::string bytes(static_cast<size_t>(size), '\0');
  const size_t read = std::fread(bytes.data(), 1, bytes.size(), file.get());
  bytes.resize(read);
  return ReadTranslation(table, bytes, file_code_page, program_code_page);
}

}  // namespace tarsel
