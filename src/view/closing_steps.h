#pragma once

// The order in which the program ends. Closing the main window stores what the user sees
// before it stops anything; the end of the desktop session (and SIGTERM/SIGINT) stops the
// update workers first, so no merge runs while the stores are written. Any thread.

#include <vector>

namespace tarsel {

enum class ClosingStep {
  kSaveColumnWidths,  // the records list stores its column widths into the settings
  kSaveSettings,      // placement, splitters, lastid into the settings; settings.xml
  kSaveColumns,       // columns.dat
  kSaveMemories,      // memories.dat
  kStopUpdates,       // timers, update workers, tray icon
  kCloseTabs,         // browser tabs
};

enum class CloseReason {
  kWindowClosed,  // File -> Exit, the close box, SaveColumns
  kSessionEnded,  // the desktop session ends, or SIGTERM / SIGINT
};

std::vector<ClosingStep> ClosingOrder(CloseReason reason);

}  // namespace tarsel
