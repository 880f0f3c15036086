#pragma once

// What the main window gets from the web services: the weblog commands (editor, Blog It, Blog
// Selection, posting), the directory search command and the version notice started by the
// update driver's one-shot timer. Main thread only; everything made is owned by the window.

#include <functional>

namespace tarsel::ui {

class BlogCommands;
class MainWindow;

// Creates and binds them, and routes the records list's and the panes' blog requests to the
// weblog commands. `columns_tree_changed` runs after feeds found by a directory search became
// columns.
BlogCommands* AttachWebServices(MainWindow& window, std::function<void()> columns_tree_changed);

}  // namespace tarsel::ui
