#include "platform/folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <vector>

namespace tarsel {
namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') return home;
  // Without HOME (started by a service), ask the password database.
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return "";
}

// An XDG base folder: the variable when it holds an absolute path, else HOME + fallback.
std::string XdgFolder(const char* variable, const char* fallback_under_home) {
  if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
    return value;
  }
  return HomeFolder() + fallback_under_home;
}

}  // namespace

std::string DataFolder() {
  return XdgFolder("XDG_DATA_HOME", "/.local/share") + "/Tarsel";
}

std::string StartupFolder() {
  return XdgFolder("XDG_CONFIG_HOME", "/.config") + "/autostart";
}

std::string ShippedFilesFolder(const std::string& executable_folder) {
  constexpr std::string_view kBin = "/bin/";
  if (!executable_folder.ends_with(kBin)) return executable_folder;
  const std::string installed =
      executable_folder.substr(0, executable_folder.size() - kBin.size()) + "/share/tarsel/";
  struct stat status {};
  if (stat(installed.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return executable_folder;
  return installed;
}

std::string ProgramFolder() {
  std::vector<char> buffer(4096);
  for (;;) {
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return "";
    if (static_cast<size_t>(length) < buffer.size()) {
      std::string path(buffer.data(), static_cast<size_t>(length));
      return ShippedFilesFolder(path.substr(0, path.rfind('/') + 1));
    }
    if (buffer.size() >= (1u << 20)) return "";
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace tarsel
