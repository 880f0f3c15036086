#include "ui/selection_menu.h"

#include <QMenu>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "store/column_tree.h"
#include "ui/qt_text.h"
#include "ui/table_menu.h"
#include "view/command_ids.h"
#include "view/command_table.h"

namespace tarsel::ui {
namespace {

constexpr char kSelectionHtmlScript[] = R"JS(
(function () {
  var selection = window.getSelection();
  var holder = document.createElement("div");
  for (var i = 0; i < selection.rangeCount; ++i) {
    holder.appendChild(selection.getRangeAt(i).cloneContents());
  }
  return holder.innerHTML;
})();
)JS";

}  // namespace

QMenu* BuildSelectionMenu(const ColumnTree* memories_tree, const SelectionMenuHandlers& handlers,
                          QWidget* parent) {
  const auto to = handlers.to_memories;
  TableMenuHandlers table;
  table.commands = {{cmd::kBlogSelection, handlers.blog_selection},
                    {cmd::kCopySelection, handlers.copy_selection},
                    {cmd::kSelectionToNewMemories, [to] {
                       if (to) to(0);
                     }}};
  table.fill_memories = [memories_tree, to](QMenu* popup) {
    popup->setObjectName(QStringLiteral("ToMemoriesMenu"));
    if (memories_tree == nullptr) return;
    const auto columns = memories_tree->MemoriesColumns();
    if (!columns.empty()) popup->addSeparator();
    for (const auto& column : columns) {
      // A column's name is the user's text: shown as it is, never as a mnemonic or markup.
      QAction* entry = popup->addAction(ToQt(column->name).replace(u'&', QStringLiteral("&&")));
      const int id = column->id;
      entry->setData(id);
      QObject::connect(entry, &QAction::triggered, popup, [to, id] {
        if (to) to(id);
      });
    }
  };
  QMenu* menu = BuildTableMenu(kSelectionMenu, table, parent);
  menu->setObjectName(QStringLiteral("SelectionMenu"));
  return menu;
}

void FetchSelectionHtml(QWebEnginePage* page, std::function<void(const QString&)> done) {
  page->runJavaScript(
      QString::fromLatin1(kSelectionHtmlScript), QWebEngineScript::ApplicationWorld,
      [done = std::move(done)](const QVariant& result) { done(result.toString()); });
}

}  // namespace tarsel::ui
