#pragma once

// How the web engine starts. The engine is the heaviest part of the program (its renderer and
// zygote processes, and over a hundred megabytes of PSS in all), and nothing needs it before a
// record is shown: the window, trees and list paint without it, the record pane makes its web
// view for the first record, and the blog editor is made by the first command that shows it.
// Starting it in an idle moment after the first paint would more than double the memory of a
// program left at rest.
//
// Main thread only.

#include <QString>

class QWebEngineProfile;

namespace tarsel::ui {

// The engine's command-line flags with the program's process model added: one renderer
// process for the record pane and the browser tabs. Flags the user set are kept, and a limit
// the user gave wins. Feed HTML still runs in a renderer, never in the program's process.
QString WithProcessModelFlags(const QString& user_flags);

// Sets QTWEBENGINE_CHROMIUM_FLAGS to WithProcessModelFlags of its current value; before the
// engine starts, which is when the first profile is made.
void SetWebEngineProcessModel();

// The profile of the record pane and every browser tab: the default one, its HTTP cache in
// memory and no cookie kept on disk (feed pages leave nothing behind). The first call sets the
// process model and so starts the engine.
QWebEngineProfile* PaneProfile();

}  // namespace tarsel::ui
