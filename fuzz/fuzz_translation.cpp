// Translation files: anyone may write one, and the program reads it at start.

#include "fuzz_support.h"
#include "settings/translation_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarsel::TranslationTable table;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A Russian file read by a Western program and a Western file as it is.
  tarsel::ReadTranslation(table, bytes, 1251, 1252);
  tarsel::ReadTranslation(table, bytes, 1252, 1252);
  return 0;
}
