#pragma once

// The selection's HTML that the commands of a pane's selection menu (341) take. Main thread
// only.

#include <QString>
#include <functional>

class QWebEnginePage;

namespace tarsel::ui {

// The HTML of the page's current selection, handed to `done` once the page answers (empty
// when nothing is selected). Read in the program's own script world.
void FetchSelectionHtml(QWebEnginePage* page, std::function<void(const QString&)> done);

}  // namespace tarsel::ui
