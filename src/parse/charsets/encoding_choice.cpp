#include "parse/charsets/encoding_choice.h"

#include "platform/system_code_page.h"

namespace tarsel {

int CodePageForEncoding(EncodingChoice choice) {
  switch (choice) {
    case EncodingChoice::kWesternEurope:
      return 1252;
    case EncodingChoice::kCyrillicWindows:
      return 1251;
    case EncodingChoice::kCentralEuropean:
      return 1250;
    default:
      return SystemCodePage();
  }
}

std::string_view EncodingChoiceName(EncodingChoice choice) {
  switch (choice) {
    case EncodingChoice::kWesternEurope:
      return "Western Europe";
    case EncodingChoice::kCyrillicWindows:
      return "Cyrillic Windows";
    case EncodingChoice::kCentralEuropean:
      return "Central European";
    default:
      return "Automatic";
  }
}

std::optional<EncodingChoice> EncodingChoiceFromName(std::string_view name) {
  for (EncodingChoice choice :
       {EncodingChoice::kAutomatic, EncodingChoice::kWesternEurope,
        EncodingChoice::kCyrillicWindows, EncodingChoice::kCentralEuropean}) {
    if (EncodingChoiceName(choice) == name) return choice;
  }
  return std::nullopt;
}

}  // namespace tarsel
