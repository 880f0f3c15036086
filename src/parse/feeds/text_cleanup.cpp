#include "parse/feeds/text_cleanup.h"

namespace tarsel {

std::string ShortenText(const std::string& text, size_t limit) {
  if (text.size() < limit) return text;
  std::string shortened = text;
  for (size_t position = limit + 1; position < text.size(); ++position) {
    if (text[position] == ' ' || text[position] == '.') {
      shortened.resize(position);
      break;
    }
  }
  while (!shortened.empty()) {
    char last = shortened.back();
    if (last != ' ' && last != '\t' && last != '\r' && last != '\n') break;
    shortened.pop_back();
  }
  shortened += "...";
  return shortened;
}

void CollapseBlanks(std::string& text) {
  bool after_blank = false;
  size_t out = 0;
  for (char c : text) {
    if (c == ' ') {
      if (after_blank) continue;
      after_blank = true;
    } else if (c == '\r' || c == '\n' || c == '\t') {
      // A converted line break deliberately leaves the flag alone.
      if (after_blank) continue;
      c = ' ';
    } else {
      after_blank = false;
    }
    text[out++] = c;
  }
  text.resize(out);
}

}  // namespace tarsel
