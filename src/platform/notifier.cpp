#include "platform/notifier.h"

#include "platform/process_spawn.h"
#include "platform/shell_open.h"

namespace tarsel {

bool DesktopLauncher::OpenUrl(const std::string& url) {
  return OpenUrlInBrowser(url);
}

bool DesktopLauncher::OpenProgram(const std::string& file, const std::string& parameters) {
  return tarsel::OpenProgram(file, parameters);
}

}  // namespace tarsel
