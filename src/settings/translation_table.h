#pragma once

// The loaded interface translation: texts that replace the built-in English ones by string id,
// dialog captions and control texts by dialog and control id, and menu entries by menu id and
// position. No Qt here.
//
// Texts are bytes in the program's code page: the translation files hold them percent-encoded in
// their language's Windows code page, and they are converted when the file is read.
//
// The process table is filled once on the main thread at start-up, before any worker exists, and
// only read afterwards (GetText may then be called from any thread).

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarsel {

struct MenuItemTranslation {
  enum class Kind { kCommand, kPopup, kSeparator };
  Kind kind = Kind::kCommand;
  int command = 0;                            // kCommand
  std::string text;                           // kCommand, kPopup
  std::vector<MenuItemTranslation> children;  // kPopup
};

// A menu's entries in menu order, separators included: translations address entries by position.
using MenuTranslation = std::vector<MenuItemTranslation>;

struct DialogTranslation {
  std::string caption;  // set even when empty
  std::map<int, std::string> controls;
};

struct TranslationTable {
  std::unordered_map<int, std::string> strings;
  std::map<int, DialogTranslation> dialogs;
  std::map<int, MenuTranslation> menus;

  bool Empty() const { return strings.empty() && dialogs.empty() && menus.empty(); }
};

// Files larger than this are not read at all: no translation is that big.
inline constexpr size_t kMaxTranslationFileBytes = 64u << 20;

// Reads the translation document `bytes` into `table` (entries replace earlier ones with the same
// id). Texts are decoded from `file_code_page` into `program_code_page`. A malformed document
// keeps what was read before the error. Returns whether the whole document was read. Never
// throws on bad input.
bool ReadTranslation(TranslationTable& table, std::string_view bytes, int file_code_page,
                     int program_code_page);

// Reads the file at `path` as ReadTranslation does. A missing, unreadable or oversized file adds
// nothing and returns false. No message is ever shown.
bool LoadTranslationFile(TranslationTable& table, const std::string& path, int file_code_page,
                         int program_code_page);

// The process's table (see the thread rule above). Tests may fill and clear it.
TranslationTable& ProcessTranslations();

// The translated text of string id `id`, or null when the loaded language has none.
const std::string* TranslatedString(int id);

// The translated text of `id`, else `english`. For the areas below the string table (services,
// update) that keep their English text beside the code that shows it.
std::string TranslatedOr(int id, std::string_view english);

}  // namespace tarsel
