#include "parse/feeds/text_cleanup.h"

#include "platform/utf8_text.h"

namespace tarsel {

std::string ShortenText(const std::string& text, size_t limit) {
  if (CountCharacters(text) < limit) return text;
  std::string shortened = text;
  // Blanks and full stops are single bytes in every code page, UTF-8 included, so the search
  // may go byte by byte from the character after the limit.
  const size_t after_limit = Utf8Prefix(text, limit + 1).size();
  for (size_t position = after_limit; position < text.size(); ++position) {
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
