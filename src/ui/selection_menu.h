#pragma once

// The menu a browser pane shows for a text selection (menu 341): "Blog Selection", "Copy
// Selection" and "To Memories" with "New Memories Column" and one entry per memories column,
// and the selection's HTML that those commands take. Main thread only.

#include <QString>
#include <functional>

class QMenu;
class QWebEnginePage;
class QWidget;

namespace tarsel {
class ColumnTree;
}

namespace tarsel::ui {

struct SelectionMenuHandlers {
  std::function<void()> blog_selection;
  std::function<void()> copy_selection;
  // 0: a new memories column; else the id of the memories column chosen.
  std::function<void(int memories_column_id)> to_memories;
};

// The menu, owned by `parent`. Each action carries its command id (a memories column's entry
// its column id) as data. `memories_tree` may be null: only "New Memories Column" is offered.
QMenu* BuildSelectionMenu(const ColumnTree* memories_tree, const SelectionMenuHandlers& handlers,
                          QWidget* parent);

// The HTML of the page's current selection, handed to `done` once the page answers (empty
// when nothing is selected). Read in the program's own script world.
void FetchSelectionHtml(QWebEnginePage* page, std::function<void(const QString&)> done);

}  // namespace tarsel::ui
