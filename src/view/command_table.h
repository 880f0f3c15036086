#pragma once

// The one table of the main window's commands: their ids, menu texts, keys and the numbered
// menus they appear in. Menus, the toolbar, the keyboard, the context menus and the tray menu
// all build from here, so a command behaves the same wherever it is chosen.
//
// No Qt here: keys are KeyChords that the window turns into its toolkit's key codes. Texts are
// string ids (GetText). Immutable tables; any thread.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarsel {

// Modifier bits of a KeyChord.
inline constexpr unsigned kKeyCtrl = 1;
inline constexpr unsigned kKeyShift = 2;
inline constexpr unsigned kKeyAlt = 4;

// KeyChord::key: printable keys are their ASCII character (letters upper case); the others:
enum NamedKey : int {
  kKeyF1 = 0x101,  // kKeyF1 + n - 1 is Fn
  kKeyEnter = 0x120,
  kKeyDelete,
  kKeyInsert,
  kKeySpace,
  kKeypadPlus,
  kKeypadMinus,
  kKeypadDecimal,
};

struct KeyChord {
  unsigned modifiers = 0;
  int key = 0;

  bool operator==(const KeyChord&) const = default;
};

// "Ctrl+Shift+F", "F5", "Num+." ...: for messages and tests.
std::string KeyChordText(const KeyChord& chord);

// Where a key acts. Keys that edit text elsewhere (Enter, Delete) act only while the columns
// tree or the records list has the focus, so typing in a dialog or a text field keeps them.
enum class KeyScope { kWindow, kColumnsTree, kRecordsList };

struct AcceleratorRow {
  KeyChord key;
  int command = 0;
  KeyScope scope = KeyScope::kWindow;
};

// The accelerator table in its row order.
std::span<const AcceleratorRow> AcceleratorTable();
// The table with every key once per scope: where a key stands in two rows of one scope (or in
// a window row and another), the first row wins.
std::vector<AcceleratorRow> ResolvedAccelerators();
// The keys the resolved table gives `command`, in row order.
std::vector<KeyChord> KeysOfCommand(int command);

struct CommandInfo {
  int id = 0;
  int text_id = 0;     // default menu text; 0: the command is never in a menu
  int tooltip_id = 0;  // toolbar tooltip; 0: none
  int alias_of = 0;    // this id only forwards to another command (an extra key or menu id)
  bool checkable = false;
};

// Every command of the window, aliases included.
std::span<const CommandInfo> Commands();
// Null for an unknown id.
const CommandInfo* FindCommand(int id);
// The command an id finally runs (itself unless it is an alias).
int CommandTarget(int id);

// Menus by their numbers.
inline constexpr int kMainMenu = 128;
inline constexpr int kBlogItMenu = 203;
inline constexpr int kGroupMenu = 213;
inline constexpr int kColumnsTreeMenu = 214;
inline constexpr int kTrayMenu = 253;
inline constexpr int kUpdatingColumnMenu = 255;
inline constexpr int kNewItemMenu = 294;
inline constexpr int kColumnMenu = 300;
inline constexpr int kImportMenu = 304;
inline constexpr int kBrowserTabMenu = 305;
inline constexpr int kSelectionMenu = 341;
inline constexpr int kRecordRowMenu = 369;
inline constexpr int kRecordsHeaderMenu = 377;
inline constexpr int kMemoriesTreeMenu = 390;
inline constexpr int kMemoriesGroupMenu = 396;
inline constexpr int kMemoriesColumnMenu = 399;
inline constexpr int kSeveralColumnsMenu = 400;

enum class MenuEntryKind { kCommand, kPopup, kSeparator };

struct MenuEntry {
  MenuEntryKind kind = MenuEntryKind::kCommand;
  int command = 0;  // kCommand
  int text_id = 0;  // kPopup: its title; kCommand: 0 = the command's own text
  // kPopup filled at show time with the memories columns, from this command id on (0: none).
  int memories_first_id = 0;
  std::vector<MenuEntry> children;  // kPopup
};

// The entries of a menu in their order (the order translations address them by); empty for
// an unknown menu number.
const std::vector<MenuEntry>& MenuEntries(int menu_id);
// Every menu number the table knows.
std::vector<int> MenuIds();
// The text id an entry shows.
int EntryTextId(const MenuEntry& entry);

// The toolbar's buttons in order; 0 stands for a separator. The quick-view list follows them.
std::span<const int> ToolbarCommands();

}  // namespace tarsel
