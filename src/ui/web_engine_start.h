#pragma once

// When and how the web engine starts. The engine is the heaviest part of the program (its
// renderer and zygote processes, tens of megabytes each), and nothing needs it before a record
// is shown: the window, trees and list paint without it, and the record pane makes its web view
// on the first record or in the first idle moment after the window has painted.
//
// Main thread only.

#include <QString>
#include <functional>

class QWebEngineProfile;
class QWidget;

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

// Calls `start` once, when the events waiting after `widget`'s first paint have been handled;
// not at all when the widget is destroyed first.
void CallWhenIdleAfterFirstPaint(QWidget* widget, std::function<void()> start);

}  // namespace tarsel::ui
