#pragma once

// The roles assistive technology is told for our own windows that Qt would otherwise announce as
// plain panes: the pop-up notice is an alert (a screen reader speaks its text when it shows), and
// the blog editor, a top-level widget, is a window with its title. Main thread.

namespace tarsel::ui {

// Installs the roles once for the process; later calls do nothing.
void InstallAccessibleRoles();

}  // namespace tarsel::ui
