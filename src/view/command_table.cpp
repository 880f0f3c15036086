#include "view/command_table.h"

#include <algorithm>
#include <array>

#include "view/command_ids.h"
#include "view/main_window_text.h"

namespace tarsel {
namespace {

using namespace cmd;
using namespace text;

// id, menu text, tooltip, alias of, checkable
constexpr CommandInfo kCommands[] = {
    {kNewColumn, kEntryColumnRss, 0, 0, false},
    {kNewColumnKey, kEntryColumnRss, kNewColumnKey, kNewColumn, false},
    {kOpenColumn, 0, kOpenColumn, 0, false},
    {kNewGroup, kEntryColumnsGroup, 0, 0, false},
    {kNewFriendColumn, kEntryLjFriend, 0, 0, false},
    {kNewYahooGroup, kEntryYahooGroup, 0, 0, false},
    {kImportMoreover, kEntryMoreover, 0, 0, false},
    {kImportNewsIsFree, kEntryNewsIsFree, 0, 0, false},
    {kImportMyRss, kEntryMyRss, 0, 0, false},
    {kImportUrl, kEntryUrl, 0, 0, false},
    {kImportFile, kEntryFile, 0, 0, false},
    {kLoadOpml, kEntryLoadOpml, 0, 0, false},
    {kExportFeeds, kEntryExportFeeds, 0, 0, false},
    {kExportGroupOpml, kEntryExportToOpml, 0, 0, false},
    {kExit, kEntryExitMain, kExit, 0, false},
    {kCopy, kEntryCopy, 0, 0, false},
    {kCopyKey, kEntryCopy, 0, kCopy, false},
    {kPaste, kEntryPaste, 0, 0, false},
    {kFind, kEntryFind, 0, 0, false},
    {kFindNext, kEntryFindNext, 0, 0, false},
    {kFindRecords, kEntryFindRecords, 0, 0, false},
    {kViewToolbar, kEntryToolbar, kViewToolbar, 0, true},
    {kViewStatusBar, kEntryStatusBar, kViewStatusBar, 0, true},
    {kHorizontalSplit, kEntryHorizontalSplit, 0, 0, true},
    {kVerticalSplit, kEntryVerticalSplit, 0, 0, true},
    {kToggleMemories, kEntryMemories, kToggleMemories, 0, true},
    {kToggleDescriptions, kEntryDescriptions, kToggleDescriptions, 0, true},
    {kHideTreeWhileBrowsing, kEntryHideTree, kHideTreeWhileBrowsing, 0, true},
    {40261, 457, 457, 0, false},
    {40262, 458, 458, 0, false},
    {40263, 459, 459, 0, false},
    {40264, 460, 460, 0, false},
    {40265, 461, 461, 0, false},
    {40266, 462, 462, 0, false},
    {40267, 466, 466, 0, false},
    {40268, 467, 467, 0, false},
    {kBlogger, kEntryBlogger, 0, 0, true},
    {kSettings, kEntrySettings, kSettings, 0, false},
    {kTreeSettings, kEntrySettings, kSettings, kSettings, false},
    {kUpdateAll, kEntryUpdateAll, 0, 0, false},
    {kStopAll, kEntryStopAll, kStopAll, 0, false},
    {kOfflineMode, kEntryOffline, 0, 0, true},
    {kIncreaseTextSize, kEntryIncreaseText, 0, 0, false},
    {kDecreaseTextSize, kEntryDecreaseText, 0, 0, false},
    {kHelpTopics, kEntryHelpTopics, 0, 0, false},
    {kHelpTopicsTree, kEntryHelpTopics, 0, kHelpTopics, false},
    {kHomePage, kEntryHomePage, 0, 0, false},
    {kBugReport, kEntryBugReport, 0, 0, false},
    {kSuggestions, kEntrySuggestions, 0, 0, false},
    {kInformationRequest, kEntryInformationRequest, 0, 0, false},
    {kAbout, kEntryAbout, 0, 0, false},
    {kRestore, kEntryRestore, 0, 0, false},
    {kGroupProperties, kEntryGroupProperties, 0, 0, false},
    {kDeleteGroup, kEntryDeleteGroup, 0, 0, false},
    {kColumnProperties, kEntryColumnProperties, 0, 0, false},
    {kUpdateColumn, kEntryUpdateColumn, 0, 0, false},
    {kUpdateSelected, kEntryUpdate, kUpdateSelected, 0, false},
    {kStopSelected, kEntryStopUpdate, kStopSelected, 0, false},
    {kStopColumnUpdate, kEntryStopColumnUpdate, 0, 0, false},
    {kDeleteColumn, kEntryDeleteColumn, 0, 0, false},
    {kUpdateSelectedColumns, kEntryUpdateSelectedColumns, 0, 0, false},
    {kStopSelectedColumns, kEntryStopUpdate, 0, 0, false},
    {kDeleteSelectedColumns, kEntryDeleteSelectedColumns, 0, 0, false},
    {kDeleteSelectedColumnsKey, kEntryDeleteSelectedColumns, 0, kDeleteSelectedColumns, false},
    {kSetUpdateInterval, kEntryUpdateInterval, 0, 0, false},
    {kSetArchiving, kEntryArchiving, 0, 0, false},
    {kMarkAllRead, kEntryMarkAllRead, kMarkAllRead, 0, false},
    {kMarkAllUnread, kEntryMarkAllUnread, 0, 0, false},
    {kMarkAllReadButton, kEntryMarkAllRead, kMarkAllRead, kMarkAllRead, false},
    {kMarkItemRead, kEntryMarkItemRead, 0, 0, false},
    {kMarkItemUnread, kEntryMarkItemUnread, 0, 0, false},
    {kTogglePersisted, kEntryPersisted, 0, 0, false},
    {kCopyToClipboard, kEntryCopyToClipboard, 0, 0, false},
    {kBlogIt, kEntryBlogIt, 0, 0, false},
    {kBlogItSingle, kEntryBlogIt, 0, kBlogIt, false},
    {kRecordToNewMemories, kEntryNewMemoriesColumn, 0, 0, false},
    {kSelectionToNewMemories, kEntryNewMemoriesColumn, 0, 0, false},
    {kBlogSelection, kEntryBlogSelection, 0, 0, false},
    {kCopySelection, kEntryCopySelection, 0, 0, false},
    {kShowTitle, kEntryShowTitle, 0, 0, true},
    {kShowReceived, kEntryShowReceived, 0, 0, true},
    {kShowAuthor, kEntryShowAuthor, 0, 0, true},
    {kShowSubject, kEntryShowSubject, 0, 0, true},
    {kPrevUnread, kEntryPrevUnread, kPrevUnread, 0, false},
    {kNextUnread, kEntryNextUnread, kNextUnread, 0, false},
    {kDeleteRecord, 0, 0, 0, false},
    {kCloseTab, kEntryCloseWindow, 0, 0, false},
    {kCopyLinkAddress, kEntryCopyLinkAddress, 0, 0, false},
    {kOpenInExternalBrowser, kEntryOpenExternal, 0, 0, false},
    {kCloseAllTabs, kEntryCloseAll, 0, 0, false},
    {kNewMemoriesGroup, kEntryNewMemoriesGroup, 0, 0, false},
    {kNewMemoriesColumn, kEntryNewMemoriesChannel, 0, 0, false},
    {kMemoriesGroupProperties, kEntryMemoriesGroupProperties, 0, 0, false},
    {kMemoriesColumnProperties, kEntryProperties, 0, 0, false},
    {kDeleteMemoriesColumn, kEntryDelete, 0, 0, false},
    {kDeleteMemoriesGroup, kEntryDelete, 0, 0, false},
    {kDirectorySearch, kEntryDirectorySearch, kDirectorySearch, 0, false},
};

constexpr unsigned kCtrl = kKeyCtrl;
constexpr unsigned kShift = kKeyShift;
constexpr unsigned kAlt = kKeyAlt;
constexpr KeyScope kTree = KeyScope::kColumnsTree;
constexpr KeyScope kList = KeyScope::kRecordsList;

constexpr KeyChord F(int n, unsigned modifiers = 0) {
  return {modifiers, kKeyF1 + n - 1};
}

// Row order decides clashes: the quick views come before the browser tab's Ctrl+F4.
constexpr AcceleratorRow kAccelerators[] = {
    {{kCtrl, 'N'}, kNewColumnKey},
    {{kCtrl, 'C'}, kCopy},
    {{kCtrl, kKeyInsert}, kCopyKey},
    {{kCtrl, 'V'}, kPaste},
    {{kShift, kKeyInsert}, kPaste},
    {{kCtrl, 'F'}, kFind},
    {F(3), kFindNext},
    {{kCtrl | kShift, 'F'}, kFindRecords},
    {{kCtrl | kAlt, 'M'}, kToggleMemories},
    {{kCtrl, 'D'}, kToggleDescriptions},
    {F(1, kCtrl), 40261},
    {F(2, kCtrl), 40262},
    {F(3, kCtrl), 40263},
    {F(4, kCtrl), 40264},
    {F(5, kCtrl), 40265},
    {F(6, kCtrl), 40266},
    {F(7, kCtrl), 40267},
    {F(8, kCtrl), 40268},
    {{kCtrl, 'B'}, kBlogger},
    {F(5, kShift), kUpdateAll},
    {F(6, kShift), kStopAll},
    {{kCtrl, kKeypadPlus}, kIncreaseTextSize},
    {{kCtrl, '='}, kIncreaseTextSize},
    {{kCtrl, kKeypadMinus}, kDecreaseTextSize},
    {{kCtrl, '-'}, kDecreaseTextSize},
    {{0, kKeyEnter}, kGroupProperties, kTree},
    {{0, kKeyDelete}, kDeleteGroup, kTree},
    {{0, kKeyEnter}, kColumnProperties, kTree},
    {F(5), kUpdateSelected},
    {F(6), kStopSelected},
    {{0, kKeyDelete}, kDeleteColumn, kTree},
    {{0, kKeypadDecimal}, kDeleteSelectedColumnsKey, kTree},
    {{kCtrl, 'M'}, kMarkAllRead},
    {{kCtrl, 'U'}, kMarkAllUnread},
    {{kAlt, 'M'}, kMarkItemRead},
    {{kAlt, 'U'}, kMarkItemUnread},
    {{kAlt, 'P'}, kTogglePersisted},
    {{kCtrl | kShift, 'B'}, kBlogSelection},
    {{kCtrl, 'W'}, kCloseTab},
    {F(4, kCtrl), kCloseTab},
    {{kShift, kKeySpace}, kPrevUnread},
    {{0, kKeySpace}, kNextUnread},
    {{0, kKeyDelete}, kDeleteRecord, kList},
};

MenuEntry Command(int id, int text_id = 0) {
  return {MenuEntryKind::kCommand, id, text_id, 0, {}};
}
MenuEntry Separator() {
  return {MenuEntryKind::kSeparator, 0, 0, 0, {}};
}
MenuEntry Popup(int text_id, std::vector<MenuEntry> children, int memories_first_id = 0) {
  return {MenuEntryKind::kPopup, 0, text_id, memories_first_id, std::move(children)};
}

std::vector<MenuEntry> NewEntries() {
  return {Command(kNewColumn), Command(kNewGroup), Command(kNewFriendColumn)};
}

std::vector<MenuEntry> ImportEntries() {
  return {Command(kImportMoreover), Command(kImportNewsIsFree), Command(kImportMyRss),
          Command(kImportUrl), Command(kImportFile)};
}

std::vector<MenuEntry> QuickViewEntries() {
  return {Command(40261), Command(40262), Command(40263), Separator(),    Command(40264),
          Command(40265), Command(40266), Separator(),    Command(40267), Command(40268)};
}

// The first "To Memories" id of each menu, as the memories operations number them.
constexpr int kRecordsMemoriesFirst = 40300;
constexpr int kSelectionMemoriesFirst = 32900;

std::vector<MenuEntry> MainMenu() {
  return {
      Popup(kMenuFile,
            {Popup(kMenuNew, NewEntries()), Popup(kMenuOpenImport, ImportEntries()), Separator(),
             Command(kLoadOpml), Command(kExportFeeds), Separator(), Command(kExit)}),
      Popup(kMenuEdit, {Command(kCopy), Separator(), Command(kFind), Command(kFindNext),
                        Command(kFindRecords)}),
      Popup(kMenuView, {Command(kViewToolbar), Command(kViewStatusBar), Separator(),
                        Popup(kMenuLayout, {Command(kHorizontalSplit), Command(kVerticalSplit)}),
                        Command(kToggleMemories), Command(kToggleDescriptions), Separator(),
                        Popup(kMenuFilters, QuickViewEntries())}),
      Popup(kMenuTools, {Command(kBlogger), Command(kSettings), Separator(), Command(kUpdateAll),
                         Command(kStopAll), Separator(), Command(kIncreaseTextSize),
                         Command(kDecreaseTextSize)}),
      Popup(kMenuHelp, {Command(kHelpTopics), Command(kHomePage),
                        Popup(kMenuFeedback, {Command(kBugReport), Command(kSuggestions),
                                              Command(kInformationRequest)}),
                        Separator(), Command(kAbout)}),
  };
}

struct MenuDefinition {
  int id;
  std::vector<MenuEntry> entries;
};

std::vector<MenuDefinition> AllMenus() {
  return {
      {kMainMenu, MainMenu()},
      {kBlogItMenu, {Command(kBlogItSingle)}},
      {kGroupMenu,
       {Popup(kMenuNewContext, NewEntries()), Separator(), Command(kGroupProperties),
        Command(kDeleteGroup), Separator(), Command(kMarkAllRead), Command(kMarkAllUnread),
        Separator(), Command(kExportGroupOpml)}},
      {kColumnsTreeMenu,
       {Popup(kMenuNewContext, NewEntries()), Popup(kMenuImport, ImportEntries()), Separator(),
        Command(kTreeSettings), Command(kHelpTopicsTree)}},
      {kTrayMenu,
       {Command(kRestore), Separator(), Command(kUpdateAll), Command(kStopAll),
        Command(kOfflineMode), Separator(), Command(kSettings), Separator(),
        Command(kExit, kEntryExit)}},
      {kUpdatingColumnMenu, {Command(kStopColumnUpdate)}},
      {kNewItemMenu,
       {Command(kNewColumn), Command(kNewGroup), Command(kNewFriendColumn),
        Command(kNewYahooGroup)}},
      {kColumnMenu,
       {Command(kColumnProperties), Command(kUpdateColumn), Command(kDeleteColumn), Separator(),
        Command(kMarkAllRead), Command(kMarkAllUnread)}},
      {kImportMenu, ImportEntries()},
      {kBrowserTabMenu,
       {Command(kCloseTab), Command(kCopyLinkAddress), Command(kOpenInExternalBrowser), Separator(),
        Command(kCloseAllTabs)}},
      {kSelectionMenu,
       {Command(kBlogSelection), Command(kCopySelection),
        Popup(kMenuToMemories, {Command(kSelectionToNewMemories)}, kSelectionMemoriesFirst)}},
      {kRecordRowMenu,
       {Command(kMarkItemRead), Command(kMarkItemUnread), Command(kTogglePersisted), Separator(),
        Command(kMarkAllRead, kEntryMarkAllItemsRead),
        Command(kMarkAllUnread, kEntryMarkAllItemsUnread), Separator(), Command(kCopyToClipboard),
        Command(kBlogIt),
        Popup(kMenuToMemories, {Command(kRecordToNewMemories)}, kRecordsMemoriesFirst)}},
      {kRecordsHeaderMenu,
       {Command(kShowTitle), Command(kShowReceived), Command(kShowAuthor), Command(kShowSubject)}},
      {kMemoriesTreeMenu, {Command(kNewMemoriesGroup), Command(kNewMemoriesColumn)}},
      {kMemoriesGroupMenu,
       {Command(kNewMemoriesGroup), Command(kNewMemoriesColumn), Separator(),
        Command(kMemoriesGroupProperties), Command(kDeleteMemoriesGroup)}},
      {kMemoriesColumnMenu, {Command(kMemoriesColumnProperties), Command(kDeleteMemoriesColumn)}},
      {kSeveralColumnsMenu,
       {Command(kUpdateSelectedColumns), Command(kStopSelectedColumns),
        Command(kDeleteSelectedColumns), Separator(),
        Popup(kMenuSet, {Command(kSetUpdateInterval), Command(kSetArchiving)})}},
  };
}

const std::vector<MenuDefinition>& Menus() {
  static const std::vector<MenuDefinition> menus = AllMenus();
  return menus;
}

constexpr int kToolbar[] = {
    kNewColumnKey,
    kOpenColumn,
    0,
    kUpdateSelected,
    kStopSelected,
    kStopAll,
    0,
    kMarkAllReadButton,
    kPrevUnread,
    kNextUnread,
    0,
    kToggleDescriptions,
    kToggleMemories,
    kHideTreeWhileBrowsing,
    0,
    kDirectorySearch,
    kSettings,
};

}  // namespace

std::string KeyChordText(const KeyChord& chord) {
  std::string text;
  if (chord.modifiers & kKeyCtrl) text += "Ctrl+";
  if (chord.modifiers & kKeyShift) text += "Shift+";
  if (chord.modifiers & kKeyAlt) text += "Alt+";
  if (chord.key >= kKeyF1 && chord.key < kKeyF1 + 24)
    return text + "F" + std::to_string(chord.key - kKeyF1 + 1);
  switch (chord.key) {
    case kKeyEnter:
      return text + "Enter";
    case kKeyDelete:
      return text + "Del";
    case kKeyInsert:
      return text + "Ins";
    case kKeySpace:
      return text + "Space";
    case kKeypadPlus:
      return text + "Num+";
    case kKeypadMinus:
      return text + "Num-";
    case kKeypadDecimal:
      return text + "Num.";
    default:
      return text + static_cast<char>(chord.key);
  }
}

std::span<const AcceleratorRow> AcceleratorTable() {
  return kAccelerators;
}

std::vector<AcceleratorRow> ResolvedAccelerators() {
  std::vector<AcceleratorRow> resolved;
  for (const AcceleratorRow& row : kAccelerators) {
    // Enter and Delete stand in two rows each (group and column); the window runs the first
    // row's command on whatever the tree has selected.
    const bool taken =
        std::any_of(resolved.begin(), resolved.end(), [&](const AcceleratorRow& kept) {
          const bool scopes_meet = kept.scope == row.scope || kept.scope == KeyScope::kWindow ||
                                   row.scope == KeyScope::kWindow;
          return kept.key == row.key && scopes_meet;
        });
    if (!taken) resolved.push_back(row);
  }
  return resolved;
}

std::vector<KeyChord> KeysOfCommand(int command) {
  std::vector<KeyChord> keys;
  for (const AcceleratorRow& row : ResolvedAccelerators()) {
    if (row.command == command) keys.push_back(row.key);
  }
  return keys;
}

std::span<const CommandInfo> Commands() {
  return kCommands;
}

const CommandInfo* FindCommand(int id) {
  for (const CommandInfo& info : kCommands) {
    if (info.id == id) return &info;
  }
  return nullptr;
}

int CommandTarget(int id) {
  const CommandInfo* info = FindCommand(id);
  return info != nullptr && info->alias_of != 0 ? info->alias_of : id;
}

const std::vector<MenuEntry>& MenuEntries(int menu_id) {
  static const std::vector<MenuEntry> none;
  for (const MenuDefinition& menu : Menus()) {
    if (menu.id == menu_id) return menu.entries;
  }
  return none;
}

std::vector<int> MenuIds() {
  std::vector<int> ids;
  for (const MenuDefinition& menu : Menus()) ids.push_back(menu.id);
  return ids;
}

int EntryTextId(const MenuEntry& entry) {
  if (entry.text_id != 0 || entry.kind != MenuEntryKind::kCommand) return entry.text_id;
  const CommandInfo* info = FindCommand(entry.command);
  return info != nullptr ? info->text_id : 0;
}

std::span<const int> ToolbarCommands() {
  return kToolbar;
}

}  // namespace tarsel
