#pragma once

// What the main window gets from the web services: the weblog commands (editor, Blog It, Blog
// Selection, posting), the directory search command and the version notice started by the
// update driver's one-shot timer. Main thread only; everything made is owned by the window.

namespace tarsel::ui {

class BlogCommands;
class MainWindow;

// Creates and binds them; the returned object lets the window route the panes' blog requests.
BlogCommands* AttachWebServices(MainWindow& window);

}  // namespace tarsel::ui
