#pragma once

// The program's user-visible texts by numeric id. Every text a window, menu or message shows
// comes from here: the English text is built in, and a loaded translation replaces it by id.
// Texts are bytes in the program's code page. No Qt here. GetText may be called from any thread
// once the language has been applied at start-up.

#include <span>
#include <string>
#include <vector>

namespace tarsel {

// One built-in text. Ids below 60000 are the program's classic string, dialog-control and
// command ids; texts of our own take ids from 60000 up.
struct StringEntry {
  int id;
  const char* english;
};

// The built-in tables of each part of the desktop program, one strings_*.cpp file each.
std::span<const StringEntry> MainWindowStrings();
std::span<const StringEntry> RecordPaneStrings();
std::span<const StringEntry> RecordsListStrings();
std::span<const StringEntry> TrayStrings();
std::span<const StringEntry> DialogStrings();
// The toolkit's own button and edit-menu words (66000-66099).
std::span<const StringEntry> StandardStrings();
std::span<const StringEntry> BlogStrings();
// The names assistive technology hears for panes without text (61900-61999).
std::span<const StringEntry> AccessibleStrings();
// The services' messages (65100-65199).
std::span<const StringEntry> ServiceStrings();
// The messages of a failed update (65200-65299).
std::span<const StringEntry> FailureStrings();

// Every built-in entry, gathered from the tables above, in table order.
const std::vector<StringEntry>& BuiltInStrings();

// The English text of `id`; empty when the program has no such text.
std::string EnglishText(int id);

// The text shown for `id`: the translation when the loaded language has one, else the English
// text, else empty.
std::string GetText(int id);

}  // namespace tarsel
