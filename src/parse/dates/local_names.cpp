#include "parse/dates/local_names.h"

#include <span>

#include "parse/dates/name_letters.h"

namespace tarsel {
namespace {

// The bytes of `text` from `position` that spell `spelling` (UTF-8) letter by letter, ignoring
// case; 0 when they do not.
size_t SpelledLength(std::string_view text, size_t position, std::string_view spelling,
                     int code_page) {
  size_t at = position;
  size_t in_spelling = 0;
  while (in_spelling < spelling.size()) {
    const TextLetter want = LetterAt(spelling, in_spelling, kCodePageUtf8);
    const TextLetter have = LetterAt(text, at, code_page);
    if (have.length == 0 || FoldLetter(have.code_point) != FoldLetter(want.code_point)) return 0;
    in_spelling += want.length;
    at += have.length;
  }
  return at - position;
}

// A name ends where no letter follows: ASCII letters, and any byte of another script.
bool EndsWord(std::string_view text, size_t position) {
  if (position >= text.size()) return true;
  const char next = text[position];
  return !TextCursor::IsLetter(next) && static_cast<unsigned char>(next) < 0x80;
}

struct NameMatch {
  int index = -1;
  size_t length = 0;
};

// The longest spelling of any entry (entries list spellings separated by '|') at the cursor.
NameMatch LongestName(const TextCursor& cursor, std::span<const std::string_view> entries,
                      int code_page) {
  NameMatch best;
  for (size_t index = 0; index < entries.size(); ++index) {
    std::string_view spellings = entries[index];
    while (!spellings.empty()) {
      const size_t bar = spellings.find('|');
      const size_t length =
          SpelledLength(cursor.text(), cursor.position(), spellings.substr(0, bar), code_page);
      if (length > best.length && EndsWord(cursor.text(), cursor.position() + length)) {
        best = {static_cast<int>(index), length};
      }
      if (bar == std::string_view::npos) break;
      spellings.remove_prefix(bar + 1);
    }
  }
  return best;
}

int TakeName(TextCursor& cursor, std::span<const std::string_view> entries, int code_page) {
  const NameMatch match = LongestName(cursor, entries, code_page);
  if (match.index < 0) return -1;
  cursor.set_position(cursor.position() + match.length);
  cursor.Take('.');
  return match.index;
}

}  // namespace

int TakeLocalMonth(TextCursor& cursor, DateLanguage language) {
  if (language.names == nullptr) return 0;
  return TakeName(cursor, language.names->months, language.code_page) + 1;
}

int TakeLocalWeekday(TextCursor& cursor, DateLanguage language) {
  if (language.names == nullptr) return -1;
  return TakeName(cursor, language.names->weekdays, language.code_page);
}

int TakeLocalMeridiem(TextCursor& cursor, DateLanguage language) {
  if (language.names == nullptr) return -1;
  const std::string_view words[] = {language.names->before_noon, language.names->after_noon};
  return TakeName(cursor, words, language.code_page);
}

}  // namespace tarsel
