#include "view/command_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "view/command_ids.h"
#include "view/string_table.h"

namespace tarsel {
namespace {

void ForEachEntry(const std::vector<MenuEntry>& entries,
                  const std::function<void(const MenuEntry&)>& visit) {
  for (const MenuEntry& entry : entries) {
    visit(entry);
    ForEachEntry(entry.children, visit);
  }
}

TEST(CommandTableTest, IdsAreUniqueAndAliasesPointAtRealCommands) {
  std::set<int> ids;
  for (const CommandInfo& info : Commands()) {
    EXPECT_TRUE(ids.insert(info.id).second) << "duplicate command " << info.id;
    if (info.alias_of != 0) {
      ASSERT_NE(FindCommand(info.alias_of), nullptr) << info.id;
      EXPECT_EQ(FindCommand(info.alias_of)->alias_of, 0) << "alias of an alias: " << info.id;
    }
  }
}

TEST(CommandTableTest, EveryMenuEntryAndKeyNamesAKnownCommandWithText) {
  for (int menu : MenuIds()) {
    ForEachEntry(MenuEntries(menu), [menu](const MenuEntry& entry) {
      if (entry.kind == MenuEntryKind::kSeparator) return;
      if (entry.kind == MenuEntryKind::kCommand) {
        EXPECT_NE(FindCommand(entry.command), nullptr) << menu << ": " << entry.command;
      }
      EXPECT_FALSE(GetText(EntryTextId(entry)).empty()) << menu << ": " << entry.command;
    });
  }
  for (const AcceleratorRow& row : AcceleratorTable()) {
    EXPECT_NE(FindCommand(row.command), nullptr) << KeyChordText(row.key);
  }
  for (int id : ToolbarCommands()) {
    if (id == 0) continue;
    ASSERT_NE(FindCommand(id), nullptr) << id;
    EXPECT_FALSE(GetText(FindCommand(id)->tooltip_id).empty()) << id;
  }
}

TEST(CommandTableTest, MenusHoldTheirCommands) {
  struct Case {
    int menu;
    int command;
    const char* text;
  };
  const Case cases[] = {
      {kMainMenu, cmd::kExit, "E&xit"},
      {kTrayMenu, cmd::kExit, "Exit"},
      {kGroupMenu, cmd::kMarkAllRead, "Mark All Read\t Ctrl-M"},
      {kRecordRowMenu, cmd::kMarkAllRead, "Mark All Items As Read\t Ctrl-M"},
      {kRecordRowMenu, cmd::kMarkAllUnread, "Mark All Items As Unread\t Ctrl-U"},
      {kColumnMenu, cmd::kDeleteColumn, "Delete Column\t Del"},
      {kGroupMenu, cmd::kDeleteGroup, "Delete Columns Group\t Del"},
      {kSeveralColumnsMenu, cmd::kSetArchiving, "Archiving"},
      {kNewItemMenu, cmd::kNewYahooGroup, "Yahoo Group"},
      {kBrowserTabMenu, cmd::kCloseTab, "Close Window\t Ctrl+W"},
      {kMainMenu, 40264, "All Unread For Last 15 Minutes(Ctrl+F4)"},
      {kColumnsTreeMenu, cmd::kTreeSettings, "Settings"},
      {kBlogItMenu, cmd::kBlogItSingle, "Blog It"},
      {kMemoriesColumnMenu, cmd::kDeleteMemoriesColumn, "Delete"},
  };
  for (const Case& c : cases) {
    std::string found;
    ForEachEntry(MenuEntries(c.menu), [&](const MenuEntry& entry) {
      if (entry.kind == MenuEntryKind::kCommand && entry.command == c.command) {
        found = GetText(EntryTextId(entry));
      }
    });
    EXPECT_EQ(found, c.text) << "menu " << c.menu << " command " << c.command;
  }
  const std::vector<MenuEntry>& main = MenuEntries(kMainMenu);
  ASSERT_EQ(main.size(), 5u);
  std::vector<std::string> titles;
  for (const MenuEntry& entry : main) titles.push_back(GetText(entry.text_id));
  EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "&View", "&Tools", "&Help"}));
  EXPECT_TRUE(MenuEntries(12345).empty());
}

TEST(CommandTableTest, KeysAfterTheFirstRowWins) {
  struct Case {
    KeyChord key;
    int command;
    KeyScope scope = KeyScope::kWindow;
  };
  const Case cases[] = {
      {{kKeyCtrl, kKeyF1 + 3}, 40264},  // Ctrl+F4: the quick view, not Close Window
      {{kKeyCtrl, 'W'}, cmd::kCloseTab},
      {{0, kKeyF1 + 4}, cmd::kUpdateSelected},
      {{kKeyShift, kKeyF1 + 4}, cmd::kUpdateAll},
      {{kKeyCtrl, kKeyF1 + 4}, 40265},
      {{kKeyCtrl, 'N'}, cmd::kNewColumnKey},
      {{0, kKeyEnter}, cmd::kGroupProperties, KeyScope::kColumnsTree},
      {{0, kKeyDelete}, cmd::kDeleteGroup, KeyScope::kColumnsTree},
      {{0, kKeyDelete}, cmd::kDeleteRecord, KeyScope::kRecordsList},
      {{kKeyShift, kKeySpace}, cmd::kPrevUnread},
      {{kKeyCtrl | kKeyAlt, 'M'}, cmd::kToggleMemories},
      {{kKeyCtrl, '='}, cmd::kIncreaseTextSize},
  };
  const std::vector<AcceleratorRow> resolved = ResolvedAccelerators();
  for (const Case& c : cases) {
    int bound = 0, times = 0;
    for (const AcceleratorRow& row : resolved) {
      if (row.key == c.key && row.scope == c.scope) bound = row.command, ++times;
    }
    EXPECT_EQ(times, 1) << KeyChordText(c.key);
    EXPECT_EQ(bound, c.command) << KeyChordText(c.key);
  }
  EXPECT_EQ(KeysOfCommand(cmd::kCloseTab), (std::vector<KeyChord>{{kKeyCtrl, 'W'}}));
  EXPECT_EQ(KeysOfCommand(cmd::kColumnProperties), std::vector<KeyChord>{});
  EXPECT_EQ(CommandTarget(cmd::kNewColumnKey), cmd::kNewColumn);
  EXPECT_EQ(CommandTarget(cmd::kNewColumn), cmd::kNewColumn);
}

}  // namespace
}  // namespace tarsel
