#include "ui/selection_menu.h"

#include <QMenu>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "store/column_tree.h"
#include "ui/qt_text.h"
#include "view/record_pane_strings.h"

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

QAction* AddCommand(QMenu* menu, const QString& text, int data, std::function<void()> handler) {
  QAction* action = menu->addAction(text);
  action->setData(data);
  QObject::connect(action, &QAction::triggered, menu, [handler = std::move(handler)] {
    if (handler) handler();
  });
  return action;
}

}  // namespace

QMenu* BuildSelectionMenu(const ColumnTree* memories_tree, const SelectionMenuHandlers& handlers,
                          QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("SelectionMenu"));
  AddCommand(menu, Text(kCommandBlogSelection), kCommandBlogSelection, handlers.blog_selection);
  AddCommand(menu, Text(kCommandCopySelection), kCommandCopySelection, handlers.copy_selection);
  QMenu* to_memories = menu->addMenu(Text(kTextToMemories));
  to_memories->setObjectName(QStringLiteral("ToMemoriesMenu"));
  const auto to = handlers.to_memories;
  AddCommand(to_memories, Text(kCommandNewMemoriesFromSelection), kCommandNewMemoriesFromSelection,
             [to] {
               if (to) to(0);
             });
  if (memories_tree == nullptr) return menu;
  const auto columns = memories_tree->MemoriesColumns();
  if (!columns.empty()) to_memories->addSeparator();
  for (const auto& column : columns) {
    const int id = column->id;
    // A column's name is the user's text: shown as it is, never as a mnemonic or markup.
    QString name = ToQt(column->name);
    name.replace(u'&', QStringLiteral("&&"));
    AddCommand(to_memories, name, id, [to, id] {
      if (to) to(id);
    });
  }
  return menu;
}

void FetchSelectionHtml(QWebEnginePage* page, std::function<void(const QString&)> done) {
  page->runJavaScript(
      QString::fromLatin1(kSelectionHtmlScript), QWebEngineScript::ApplicationWorld,
      [done = std::move(done)](const QVariant& result) { done(result.toString()); });
}

}  // namespace tarsel::ui
