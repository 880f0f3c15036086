#pragma once

// Where the external weblog client is installed. Such a client is rare on this desktop: the
// user who has one names its folder in TARSEL_BLOGGAR_PATH; otherwise the path is empty and the
// hand-off to it does nothing. Read at every call; any thread. File-system bytes.

#include <string>

namespace tarsel {

std::string BloggarInstallPath();

}  // namespace tarsel
