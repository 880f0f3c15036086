// With a translation of every string id loaded, the main window, its menus and each dialog and
// message box show no text that bypassed the string table, and every control that takes the
// focus has a name for assistive technology and is reached by Tab in the order of the layout.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextEdit>
#include <QToolBar>
#include <functional>

#include "settings/translation_table.h"
#include "store/column.h"
#include "support/temp_dir.h"
#include "ui/about_box.h"
#include "ui/blog_editor.h"
#include "ui/blog_settings_dialog.h"
#include "ui/column_properties_dialog.h"
#include "ui/columns_tree.h"
#include "ui/command_actions.h"
#include "ui/directory_search_dialog.h"
#include "ui/download_dialog.h"
#include "ui/find_dialog.h"
#include "ui/find_records_dialog.h"
#include "ui/import_commands.h"
#include "ui/import_feeds_dialog.h"
#include "ui/main_window.h"
#include "ui/memories_dialogs.h"
#include "ui/modal_helper.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"
#include "ui/standard_texts.h"
#include "ui/translate_widgets.h"
#include "view/command_ids.h"
#include "view/command_table.h"
#include "view/dialog_ids.h"
#include "view/dialog_text_ids.h"
#include "view/import_sources.h"
#include "view/string_table.h"

namespace tarsel::ui {
namespace {

constexpr char kMark[] = "~";

// Every built-in text, marked, as the loaded translation; cleared again at the end.
class MarkedTranslation {
 public:
  MarkedTranslation() {
    for (const StringEntry& entry : BuiltInStrings()) {
      if (entry.id != 0)
        ProcessTranslations().strings[entry.id] = kMark + std::string(entry.english);
    }
  }
  ~MarkedTranslation() { ProcessTranslations() = TranslationTable(); }
};

class TextWalk {
 public:
  void Check(const QString& where, const QString& text) {
    QString shown = text;
    shown.remove(QLatin1Char('&'));
    if (shown.trimmed().isEmpty() || shown.startsWith(QLatin1String(kMark))) return;
    // Numbers, key names and the version are no words to translate.
    static const QRegularExpression kNoWords(QStringLiteral("^[0-9 .,:%+()/-]*$"));
    if (kNoWords.match(shown).hasMatch()) return;
    untranslated.push_back(where + ": " + text);
  }

  void Menu(const QString& where, QWidget* menu) {
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      Check(where + " action", action->text().section(QLatin1Char('\t'), 0, 0));
      if (action->menu() != nullptr) Menu(where + "/" + action->text(), action->menu());
    }
  }

  // What a screen reader says for a control that takes the focus.
  void Heard(const QString& where, QWidget* widget, QWidget* top) {
    if (widget->focusPolicy() == Qt::NoFocus || !widget->isEnabled()) return;
    if (widget != top && !widget->isVisibleTo(top)) return;  // a closed drop-down's list
    // A spin box speaks for its own text field, a web view for the surface it draws on.
    if (qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr) return;
    QWidget* parent = widget->parentWidget();
    if (Name(widget).isEmpty() &&
        (parent == nullptr || parent->focusProxy() != widget || Name(parent).isEmpty()))
      unnamed.push_back(where);
  }

  // The first rows of a list or tree: every cell a screen reader may land on says something,
  // an icon cell too.
  void Items(const QString& where, QAbstractItemView* view) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface* table = face == nullptr ? nullptr : face->tableInterface();
    if (table == nullptr) return;
    for (int row = 0; row < std::min(table->rowCount(), 3); ++row) {
      for (int column = 0; column < table->columnCount(); ++column) {
        QAccessibleInterface* cell = table->cellAt(row, column);
        if (cell == nullptr || cell->state().invisible) continue;
        if (cell->text(QAccessible::Name).trimmed().isEmpty())
          unnamed.push_back(QStringLiteral("%1 cell %2,%3").arg(where).arg(row).arg(column));
      }
    }
  }

  static QString Name(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face == nullptr ? QString() : face->text(QAccessible::Name).trimmed();
  }

  // Tab visits the window's controls as they are read: along a row, then down, or up only to
  // start a column further right. Every page of a paged dialog is visited.
  void TabOrder(QWidget* top) {
    if (!top->isVisible()) top->show();
    const QList<QStackedWidget*> stacks = top->findChildren<QStackedWidget*>();
    for (QStackedWidget* stack : stacks) {
      for (int page = 0; page < stack->count(); ++page) {
        stack->setCurrentIndex(page);
        TabChain(top);
      }
    }
    if (stacks.isEmpty()) TabChain(top);
  }

  void TabChain(QWidget* top) {
    QCoreApplication::processEvents();
    QList<QWidget*> chain;
    for (QWidget* widget = top->nextInFocusChain(); widget != top;
         widget = widget->nextInFocusChain()) {
      if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
          widget->isVisibleTo(top) && widget->focusProxy() == nullptr)
        chain.push_back(widget);
    }
    // Tool bars are reached by their commands' keys, a header by its view's menu, a choice of
    // radio buttons by the arrow keys; every other control by Tab.
    for (QWidget* widget : top->findChildren<QWidget*>()) {
      if (IsControl(widget) && !chain.contains(widget) && widget->isEnabled() &&
          widget->isVisibleTo(top) && qobject_cast<QToolBar*>(widget->parentWidget()) == nullptr)
        unreachable.push_back(top->objectName() + ": " + Describe(widget));
    }
    for (int i = 1; i < chain.size(); ++i) {
      const QRect from = Place(chain[i - 1], top), to = Place(chain[i], top);
      const bool same_row = to.center().y() >= from.top() && to.center().y() <= from.bottom();
      const bool backwards = same_row ? to.right() < from.left()
                                      : to.bottom() < from.top() && to.left() <= from.left();
      if (backwards)
        misordered.push_back(top->objectName() + ": " + Describe(chain[i - 1]) + " -> " +
                             Describe(chain[i]));
    }
  }

  static bool IsControl(QWidget* widget) {
    if (qobject_cast<QHeaderView*>(widget) != nullptr) return false;
    if (auto* radio = qobject_cast<QRadioButton*>(widget); radio && radio->autoExclusive())
      return false;
    return widget->focusProxy() == nullptr &&
           (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
            qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
            qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QPlainTextEdit*>(widget) ||
            qobject_cast<QTextEdit*>(widget));
  }
  static QRect Place(QWidget* widget, QWidget* top) {
    return QRect(widget->mapTo(top, QPoint(0, 0)), widget->size());
  }
  static QString Describe(QWidget* widget) {
    return widget->metaObject()->className() + QStringLiteral(" ") + widget->objectName();
  }

  void Widgets(QWidget* top) {
    TabOrder(top);
    Check(top->objectName() + " title", top->windowTitle());
    QList<QWidget*> all = top->findChildren<QWidget*>();
    all.push_front(top);
    for (QWidget* widget : all) {
      const QString name =
          widget->metaObject()->className() + QStringLiteral(" ") + widget->objectName();
      Heard(name, widget, top);
      if (auto* items = qobject_cast<QAbstractItemView*>(widget);
          items != nullptr && items->isVisibleTo(top) && items->focusPolicy() != Qt::NoFocus) {
        Items(name, items);
      }
      // Qt names the scroll buttons of its tab bars itself, through the toolkit's translation.
      if (qobject_cast<QTabBar*>(widget->parentWidget()) == nullptr) {
        Check(name + " accessible name", widget->accessibleName());
        Check(name + " accessible description", widget->accessibleDescription());
      }
      if (auto* box = qobject_cast<QMessageBox*>(widget)) Check(name + " text", box->text());
      Check(name + " tooltip", widget->toolTip());
      if (auto* label = qobject_cast<QLabel*>(widget)) Check(name, label->text());
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) Check(name, button->text());
      if (auto* group = qobject_cast<QGroupBox*>(widget)) Check(name, group->title());
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) Check(name, edit->placeholderText());
      if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) Check(name + " tab", tabs->tabText(i));
      }
      // Font names are the system's and blog service names their makers', not texts of the
      // program.
      if (auto* combo = qobject_cast<QComboBox*>(widget);
          combo && !qobject_cast<QFontComboBox*>(widget) &&
          combo->objectName() != QLatin1String("BlogService")) {
        for (int i = 0; i < combo->count(); ++i) Check(name + " item", combo->itemText(i));
      }
      if (auto* header = qobject_cast<QHeaderView*>(widget); header && header->model()) {
        for (int i = 0; i < header->count(); ++i)
          Check(name + " header", header->model()->headerData(i, header->orientation()).toString());
      }
      if (auto* bar = qobject_cast<QMenuBar*>(widget)) Menu(name, bar);
      if (auto* toolbar = qobject_cast<QToolBar*>(widget)) {
        Check(name + " title", toolbar->windowTitle());
        for (QAction* action : toolbar->actions()) Check(name + " tip", action->toolTip());
      }
    }
  }

  QStringList untranslated;
  QStringList unnamed;
  QStringList misordered;
  QStringList unreachable;
};

TEST(TranslationWalk, MainWindowMenusAndDialogsShowOnlyTranslatedTexts) {
  testing::TempDir folder;
  testing::ScopedEnv data_home("XDG_DATA_HOME", folder.path());
  mkdir((folder.path() + "/Tarsel").c_str(), 0700);
  MarkedTranslation marked;
  StandardTexts standard_texts;
  QCoreApplication::installTranslator(&standard_texts);
  TextWalk walk;
  {
    ProgramData data;
    LoadProgramData(data);
    // A column with a record, so the records list has cells to hear.
    auto column = std::make_shared<Column>();
    column->id = 1;
    column->name = std::string(kMark) + "Feed";  // feed text, not the program's
    auto record = std::make_shared<Record>();
    record->title = "Story";
    column->channel.records.push_back(record);
    column->RecountRecords();
    data.columns.Append(column);
    MainWindow window(data);
    window.show();
    window.RestoreLayout();
    window.columns_tree()->SelectNode(column.get());
    walk.Widgets(&window);
    CommandActions actions(&window);
    for (int menu_id : MenuIds()) {
      std::unique_ptr<QMenu> menu(actions.BuildMenu(menu_id, nullptr));
      walk.Menu(QStringLiteral("menu %1").arg(menu_id), menu.get());
    }
  }
  AboutBox about({"word"});
  walk.Widgets(&about);
  FindDialog find;
  walk.Widgets(&find);
  FindRecordsDialog find_records(SearchChoices{});
  walk.Widgets(&find_records);
  SettingsDialog settings(SettingsPages::FromSettings(Settings{}));
  walk.Widgets(&settings);
  ColumnTree tree;
  ColumnPropertiesDialog properties(ColumnProperties{}, tree, nullptr);
  walk.Widgets(&properties);
  BlogSettingsDialog blog(BlogSettings{});
  walk.Widgets(&blog);
  DirectorySearchDialog directory;
  walk.Widgets(&directory);
  // Dialogs that ask in their own event loop are walked while open, then cancelled.
  const auto walk_modal = [&walk](const std::function<void()>& open) {
    testing::WhenModal([&walk](QWidget* modal) {
      walk.Widgets(modal);
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
    open();
  };
  walk_modal([] { (void)AskMemoriesName(nullptr, kTextMemoriesColumnName); });
  walk_modal([] { (void)AskMemoriesName(nullptr, kTextMemoriesGroupName); });
  ColumnGroup group("G");
  walk_modal([&group] { (void)EditGroupProperties(nullptr, group); });
  walk_modal([&tree] {
    (void)NewServiceColumnCommand(nullptr, tree, ServiceColumnKind::kYahooGroup, {});
  });
  walk_modal([&tree] {
    (void)NewServiceColumnCommand(nullptr, tree, ServiceColumnKind::kLiveJournalFriend, {});
  });
  // "Enter URL", then the message box an address that is not a feed's brings up.
  testing::WhenModal([&walk](QWidget* modal) {
    walk.Widgets(modal);
    modal->findChild<QLineEdit*>(QStringLiteral("lineText"))->setText(QStringLiteral("ftp://x"));
    testing::WhenModal(
        [&walk](QWidget* box) {
          walk.Widgets(box);
          qobject_cast<QDialog*>(box)->reject();
        },
        modal);
    modal->findChild<QDialogButtonBox*>(QStringLiteral("dialogButtons"))
        ->button(QDialogButtonBox::Ok)
        ->click();
    qobject_cast<QDialog*>(modal)->reject();
  });
  (void)ImportListUrlCommand(nullptr, tree, {});
  ImportFeedsDialog import(FoundFeedTree{});
  walk.Widgets(&import);
  DownloadDialog download("http://127.0.0.1:9/", folder.path() + "/list", [] { return false; });
  walk.Widgets(&download);
  BlogEditor editor;
  walk.Widgets(&editor);
  QCoreApplication::removeTranslator(&standard_texts);
  EXPECT_TRUE(walk.untranslated.isEmpty())
      << walk.untranslated.join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(walk.unnamed.isEmpty()) << "focusable without a name:\n"
                                      << walk.unnamed.join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(walk.unreachable.isEmpty()) << "not reached by Tab:\n"
                                          << walk.unreachable.join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(walk.misordered.isEmpty()) << "Tab against the layout:\n"
                                         << walk.misordered.join(QLatin1Char('\n')).toStdString();
}

// A translator's file in the documented format that has only <dialog> entries: the dialog takes
// its caption and the controls it names; the others keep the built-in text.
TEST(TranslationWalk, AFileWithOnlyDialogEntriesTranslatesThatDialog) {
  const std::string file = "<language><dialog value='" + std::to_string(dialog::kImportFeeds) +
                           "' text='Importer des flux'><control value='" +
                           std::to_string(kTextSelectAll) +
                           "' text='Tout cocher'/></dialog></language>";
  ASSERT_TRUE(ReadTranslation(ProcessTranslations(), file, 1252, 1252));
  ImportFeedsDialog dialog(FoundFeedTree{});
  ProcessTranslations() = TranslationTable();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Importer des flux"));
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("selectAll"))->text(),
            QStringLiteral("Tout cocher"));
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("deselectAll"))->text(),
            ToQt(EnglishText(kTextDeselectAll)));
}

// Items apply by position. A translated command renames the window's own action, so every
// menu, the keys and screen readers say the same; a menu that names it otherwise gets an entry
// of its own that runs it.
TEST(TranslationWalk, MenuTranslationAppliesByPosition) {
  TranslationTable& table = ProcessTranslations();
  using Kind = MenuItemTranslation::Kind;
  table.menus[kTrayMenu] = {{Kind::kCommand, cmd::kRestore, "Restaurer", {}},
                            {Kind::kSeparator, 0, "", {}},
                            {Kind::kCommand, cmd::kUpdateAll, "Tout actualiser", {}}};
  QWidget window;
  CommandActions actions(&window);
  int restored = 0;
  actions.Bind(cmd::kRestore, [&restored] { ++restored; });
  std::unique_ptr<QMenu> menu(actions.BuildMenu(kTrayMenu, nullptr));
  table.menus[kTrayMenu][0].text = "Afficher";
  std::unique_ptr<QMenu> other(actions.BuildMenu(kTrayMenu, nullptr));
  ProcessTranslations() = TranslationTable();
  const auto entries = menu->actions();
  ASSERT_GE(entries.size(), 3);
  EXPECT_EQ(entries[0], actions.Action(cmd::kRestore));
  EXPECT_EQ(entries[0]->text(), QStringLiteral("Restaurer"));
  EXPECT_EQ(entries[2]->data().toInt(), cmd::kUpdateAll);
  const QAction* renamed = other->actions().at(0);
  EXPECT_NE(renamed, actions.Action(cmd::kRestore));
  EXPECT_EQ(renamed->text(), QStringLiteral("Afficher"));
  EXPECT_EQ(actions.Action(cmd::kRestore)->text(), QStringLiteral("Restaurer"));
  other->actions().at(0)->trigger();
  EXPECT_EQ(restored, 1);
}

}  // namespace
}  // namespace tarsel::ui
