#include "platform/bloggar_path.h"

#include <cstdlib>

namespace tarsel {

std::string BloggarInstallPath() {
  const char* path = std::getenv("TARSEL_BLOGGAR_PATH");
  return path != nullptr ? std::string(path) : std::string();
}

}  // namespace tarsel
