#include "ui/records_list.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "settings/settings.h"
#include "store/column.h"
#include "store/column_tree.h"
#include "ui/command_actions.h"
#include "ui/quick_view_box.h"
#include "ui/records_list_view.h"
#include "ui/records_model.h"
#include "ui/settings_owner.h"
#include "view/command_ids.h"
#include "view/records_list_cells.h"

namespace tarsel::ui {
namespace {

constexpr int32_t kNow = 1100000000;

// The live settings of a test and the window's commands the list binds; the process-wide
// settings the owner publishes are restored afterwards.
struct ScopedSettings {
  explicit ScopedSettings(const Settings& settings) : saved(*CurrentSettings()), live(settings) {
    // The list's keys are the window's shortcuts: they act in the active window only.
    window.resize(600, 300);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  ~ScopedSettings() { SetCurrentSettings(saved); }

  Settings saved;
  Settings live;
  SettingsOwner owner{live};
  QWidget window;
  CommandActions actions{&window};
};

Settings ListSettings() {
  Settings settings;
  settings.unreaditems_first = false;
  settings.mark_read_seconds = 30;
  return settings;
}

// Rows in stored order: r0 read, r1 unread, r2 read, r3 unread (persistent), r4 read.
std::shared_ptr<Column> MakeColumn() {
  auto column = std::make_shared<Column>();
  column->id = 7;
  column->name = "Feed";
  for (int i = 0; i < 5; ++i) {
    auto record = std::make_shared<Record>();
    record->title = "r" + std::to_string(i);
    record->published = kNow - i * 60;
    record->received = kNow - i * 60;
    record->unread = i % 2 == 1;
    column->channel.records.push_back(record);
  }
  column->channel.records[3]->persistent = true;
  column->RecountRecords();
  return column;
}

QString TitleAt(const RecordsList& list, int row) {
  return list.model()->index(row, kTitleColumn).data().toString();
}

int SelectedRowOf(const RecordsList& list) {
  const QModelIndexList rows = list.view()->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

TEST(RecordsListTest, SpaceWalksUnreadRowsAndMarksReachTheColumn) {
  ScopedSettings scoped(ListSettings());
  auto column = MakeColumn();
  RecordsList list(scoped.owner, scoped.actions, &scoped.window);
  list.resize(600, 300);
  list.show();
  QSignalSpy selected(&list, &RecordsList::RecordSelected);
  QSignalSpy counts(&list, &RecordsList::CountsChanged);
  list.ShowNode(column);
  ASSERT_EQ(list.model()->rowCount(), 5);
  EXPECT_TRUE(list.model()->index(1, kTitleColumn).data(Qt::FontRole).value<QFont>().bold());
  EXPECT_FALSE(list.model()->index(0, kTitleColumn).data(Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(list.model()->index(0, kSubjectColumn).data().toString(), "(empty)");

  list.view()->setFocus();
  QTest::keyClick(list.view(), Qt::Key_Space);
  EXPECT_EQ(SelectedRowOf(list), 1);
  ASSERT_EQ(selected.count(), 1);
  EXPECT_EQ(selected.last().at(0).value<RecordRef>().get(), column->channel.records[1].get());
  QTimer* timer = list.findChild<QTimer*>("ReadTimer");
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 30000);

  QTest::keyClick(list.view(), Qt::Key_Space);
  EXPECT_EQ(SelectedRowOf(list), 3);
  QTest::keyClick(list.view(), Qt::Key_Space);
  EXPECT_EQ(SelectedRowOf(list), 3) << "no unread row below";
  QTest::keyClick(list.view(), Qt::Key_Space, Qt::ShiftModifier);
  EXPECT_EQ(SelectedRowOf(list), 1);

  QTest::keyClick(list.view(), Qt::Key_M, Qt::AltModifier);
  EXPECT_FALSE(column->channel.records[1]->unread);
  EXPECT_FALSE(timer->isActive());
  ASSERT_EQ(counts.count(), 1);
  EXPECT_EQ(counts.last().at(0).value<std::shared_ptr<TreeNode>>(), column);
  EXPECT_EQ(column->UnreadCount(), 1);

  // The window sends Ctrl+U and Ctrl+M to the list while it has the focus.
  scoped.actions.Bind(cmd::kMarkAllUnread, [&list] { list.MarkAllUnread(); });
  scoped.actions.Bind(cmd::kMarkAllRead, [&list] { list.MarkAllRead(); });
  QTest::keyClick(list.view(), Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(column->UnreadCount(), 5);
  QTest::keyClick(list.view(), Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(column->UnreadCount(), 0);
}

// A newly shown column opens at its top, not at the previous column's scroll position, with
// its first unread row in view.
TEST(RecordsListTest, ANewColumnOpensAtItsTop) {
  ScopedSettings scoped(ListSettings());
  auto long_column = [](int first_unread) {
    auto column = std::make_shared<Column>();
    for (int i = 0; i < 300; ++i) {
      auto record = std::make_shared<Record>();
      record->title = "row " + std::to_string(i);
      record->unread = first_unread >= 0 && i >= first_unread;
      column->channel.records.push_back(record);
    }
    column->RecountRecords();
    return column;
  };
  RecordsList list(scoped.owner, scoped.actions, &scoped.window);
  list.resize(600, 300);
  list.show();
  const struct {
    const char* name;
    int first_unread;
    int row_in_view;
  } cases[] = {{"all read", -1, 0}, {"first unread far down", 250, 250}, {"all unread", 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    list.ShowNode(long_column(-1));
    list.view()->scrollToBottom();
    list.ShowNode(long_column(c.first_unread));
    const QRect viewport = list.view()->viewport()->rect();
    const QRect row = list.view()->visualRect(list.model()->index(c.row_in_view, kTitleColumn));
    EXPECT_TRUE(viewport.intersects(row)) << row.top();
    if (c.row_in_view == 0) {
      EXPECT_EQ(list.view()->verticalScrollBar()->value(), 0);
    }
  }
}

TEST(RecordsListTest, ReadTimerMarksTheSelectedRecordRead) {
  Settings settings = ListSettings();
  settings.mark_read_seconds = 0;
  ScopedSettings scoped(settings);
  auto column = MakeColumn();
  RecordsList list(scoped.owner, scoped.actions, &scoped.window);
  list.show();
  list.ShowNode(column);
  list.NextUnread();
  EXPECT_TRUE(QTest::qWaitFor([&column] { return !column->channel.records[1]->unread; }, 5000));
  EXPECT_FALSE(list.model()->index(1, kTitleColumn).data(Qt::FontRole).value<QFont>().bold());
}

TEST(RecordsListTest, DeletingAPersistentRecordAsksFirst) {
  ScopedSettings scoped(ListSettings());
  auto column = MakeColumn();
  RecordsList list(scoped.owner, scoped.actions, &scoped.window);
  list.show();
  bool answer = false;
  int asked = 0;
  list.SetDeleteConfirmation([&](const QString& text, const QString& caption) {
    ++asked;
    EXPECT_EQ(caption, "Persistant Record");
    EXPECT_TRUE(text.startsWith("This Record Marked As A Persistant Record."));
    return answer;
  });
  list.ShowNode(column);
  list.NextUnread();
  list.NextUnread();  // r3, persistent
  QTest::keyClick(list.view(), Qt::Key_Delete);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(list.model()->rowCount(), 5);
  answer = true;
  QTest::keyClick(list.view(), Qt::Key_Delete);
  EXPECT_EQ(list.model()->rowCount(), 4);
  EXPECT_TRUE(column->channel.records[3]->deleted);
  EXPECT_EQ(TitleAt(list, SelectedRowOf(list)), "r4") << "the row at the same position";
  QTest::keyClick(list.view(), Qt::Key_Delete);  // r4 is not persistent: no question
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(TitleAt(list, SelectedRowOf(list)), "r2") << "the new last row";
}

// An update rebuilds the list, its merge having replaced the record objects: the record being
// read stays selected wherever it now stands, the pane is not told again, and the read timer
// runs on from the selection.
TEST(RecordsListTest, RebuildKeepsTheSelectedRecord) {
  ScopedSettings scoped(ListSettings());
  auto column = MakeColumn();
  RecordsList list(scoped.owner, scoped.actions, &scoped.window);
  list.show();
  list.ShowNode(column);
  list.NextUnread();
  ASSERT_EQ(TitleAt(list, SelectedRowOf(list)), "r1");
  QSignalSpy selected(&list, &RecordsList::RecordSelected);
  QTimer* timer = list.findChild<QTimer*>("ReadTimer");
  QTest::qWait(80);
  const int remaining = timer->remainingTime();
  for (RecordRef& record : column->channel.records) record = CopyRecord(*record);
  auto fresh = std::make_shared<Record>();
  fresh->title = "fresh";
  fresh->published = fresh->received = kNow + 60;
  column->channel.records.insert(column->channel.records.begin(), fresh);
  list.Refresh();
  ASSERT_EQ(list.model()->rowCount(), 6);
  EXPECT_EQ(TitleAt(list, SelectedRowOf(list)), "r1");
  EXPECT_EQ(selected.count(), 0);
  EXPECT_TRUE(timer->isActive());
  EXPECT_LE(timer->remainingTime(), remaining);
  EXPECT_LT(timer->remainingTime(), 30000 - 60);
  list.MarkItemRead();
  EXPECT_FALSE(column->channel.records[2]->unread) << "the mark reaches the new object";
}

TEST(RecordsListTest, HeaderSortsTogglesAndKeepsWidthsUnderCrossedNames) {
  Settings settings = ListSettings();
  settings.headers["author"].width = 77;  // the Subject column's width
  ScopedSettings scoped(settings);
  auto column = MakeColumn();
  RecordsList list(scoped.owner, scoped.actions, &scoped.window);
  list.show();
  list.ShowNode(column);
  QHeaderView* header = list.view()->header();
  EXPECT_EQ(header->sectionSize(kSubjectColumn), 77);
  EXPECT_EQ(list.model()->headerData(kTitleColumn, Qt::Horizontal, Qt::ToolTipRole).toString(),
            "Sort by: Title");

  list.NextUnread();  // r1
  const auto click = [&](int section) {
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(section) + 5, 5));
  };
  click(kTitleColumn);
  EXPECT_EQ(TitleAt(list, 0), "r0");
  click(kTitleColumn);
  EXPECT_EQ(TitleAt(list, 0), "r4");
  EXPECT_EQ(TitleAt(list, SelectedRowOf(list)), "r1") << "the selected record stays selected";
  click(kReadStateColumn);
  EXPECT_EQ(TitleAt(list, 0), "r3") << "unread icons first";

  list.ToggleHeaderColumn(cmd::kShowSubject);
  EXPECT_TRUE(header->isSectionHidden(kSubjectColumn));
  list.SaveColumnWidths();
  EXPECT_FALSE(CurrentSettings()->headers.at("subject").visible);
  EXPECT_EQ(CurrentSettings()->headers.at("author").width, 77);
  RecordsList restarted(scoped.owner, scoped.actions);
  restarted.ShowNode(column);
  EXPECT_TRUE(restarted.view()->header()->isSectionHidden(kSubjectColumn));
}

TEST(RecordsListTest, QuickViewsSearchAndEmptyTexts) {
  ScopedSettings scoped(ListSettings());
  ColumnTree tree;
  auto column = MakeColumn();
  tree.Append(column);
  RecordsList list(scoped.owner, scoped.actions, &scoped.window);
  list.SetColumnTree(&tree);
  list.SetClock([] { return kNow; });
  list.show();
  QSignalSpy captions(&list, &RecordsList::CaptionChanged);

  list.ShowQuickView(8);
  EXPECT_EQ(list.Caption(), "Latest 10 unread(Ctrl+F7)");
  EXPECT_EQ(list.model()->rowCount(), 2);
  list.ShowQuickView(3);  // a separator changes nothing
  EXPECT_EQ(captions.count(), 1);

  SearchChoices choices;
  choices.text = "R2";
  choices.field = kFilterTitle;
  list.ShowSearch(choices);
  EXPECT_EQ(list.Caption(), "Search Result(1)");
  choices.text = "nowhere";
  list.ShowSearch(choices);
  EXPECT_EQ(list.view()->empty_text(), "No records found");

  column->update_state = kUpdateRunning;
  list.ShowNode(column);
  EXPECT_EQ(list.model()->rowCount(), 0);
  EXPECT_EQ(list.view()->empty_text(), "Column is Updating");
  column->update_state = kUpdateIdle;
}

// Hostile records are painted without a hang: huge fields, control characters, right-to-left
// text, missing and negative dates. With TARSEL_SCREENSHOT_DIR set the list is saved there.
TEST(RecordsListTest, PaintsHostileRecords) {
  Settings settings = ListSettings();
  settings.descriptions_limitsymbols = false;
  ScopedSettings scoped(settings);
  auto column = MakeColumn();
  RecordList& records = column->channel.records;
  records[0]->title = std::string(640000, 'x');
  std::string words;
  while (words.size() < 640000) words += "word ";
  records[0]->summary = words;
  records[1]->title = "Tab\tand\x01control\r\nline";
  records[1]->summary =
      "A summary long enough to wrap under the title of its row, "
      "in the description font, cut at the symbol limit of the settings.";
  records[2]->title = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d right to left";
  records[2]->published = 0;
  records[3]->published = -86400;
  records[3]->author = "<b>not bold</b>";
  RecordsList list(scoped.owner, scoped.actions, &scoped.window);
  list.resize(700, 400);
  list.show();
  list.ShowNode(column);
  list.NextUnread();
  const QImage image = list.grab().toImage();
  EXPECT_FALSE(image.isNull());
  EXPECT_EQ(list.model()->index(3, kReceivedColumn).data().toString(), "(empty)");
  if (const char* folder = std::getenv("TARSEL_SCREENSHOT_DIR")) {
    image.save(QString::fromUtf8(folder) + "/records_list.png");
  }
}

TEST(QuickViewBoxTest, TenEntriesAndSeparatorsCannotBeChosen) {
  QuickViewBox box;
  EXPECT_EQ(box.count(), 10);
  EXPECT_EQ(box.width(), 220);
  EXPECT_EQ(box.itemText(9), "Latest 100 unread(Ctrl+F8)");
  QSignalSpy chosen(&box, &QuickViewBox::QuickViewChosen);
  emit box.activated(3);
  emit box.activated(4);
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen.first().at(0).toInt(), 4);
}

}  // namespace
}  // namespace tarsel::ui
