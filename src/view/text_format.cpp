#include "view/text_format.h"

namespace tarsel {
namespace {

std::string FillSlot(std::string_view format, std::string_view slot, std::string_view value) {
  const size_t at = format.find(slot);
  if (at == std::string_view::npos) return std::string(format);
  std::string text(format.substr(0, at));
  text += value;
  text += format.substr(at + slot.size());
  return text;
}

}  // namespace

std::string FillText(std::string_view format, std::string_view value) {
  return FillSlot(format, "%s", value);
}

std::string FillNumber(std::string_view format, long long number) {
  return FillSlot(format, "%d", std::to_string(number));
}

}  // namespace tarsel
