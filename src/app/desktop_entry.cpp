#include "app/desktop_entry.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/product_version.h"
#include "platform/atomic_file.h"
#include "platform/folders.h"

namespace tarsel {
namespace {

// An Exec argument in double quotes, with the characters the format reserves escaped.
std::string QuotedArgument(const std::string& argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    // '%' starts a field code in Exec: a literal one is doubled.
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + "\"";
}

std::string ApplicationsFolder() {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  if (data_home != nullptr && data_home[0] == '/') return std::string(data_home) + "/applications";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.local/share/applications";
}

bool WriteEntry(const std::string& folder, const std::string& name, const std::string& text) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return WriteFileAtomically(folder + "/" + name, text, 0644, true);
}

bool RemoveEntry(const std::string& path) {
  return std::remove(path.c_str()) == 0 || errno == ENOENT;
}

}  // namespace

std::string DesktopEntryText(const std::string& executable, bool autostart) {
  std::string text =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=" +
      std::string(kProductName) +
      "\n"
      "GenericName=Feed Reader\n"
      "Comment=Read web feeds\n"
      "Exec=" +
      QuotedArgument(executable) +
      "\n"
      "Icon=tarsel\n"
      "Terminal=false\n"
      "Categories=Network;Feed;\n";
  if (autostart) text += "X-GNOME-Autostart-enabled=true\nX-KDE-autostart-after=panel\n";
  return text;
}

std::string ExecutablePath() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

int InstallMenuEntry() {
  return WriteEntry(ApplicationsFolder(), kMenuEntryName, DesktopEntryText(ExecutablePath(), false))
             ? 0
             : 1;
}

int RemoveMenuEntry() {
  return RemoveEntry(ApplicationsFolder() + "/" + kMenuEntryName) ? 0 : 1;
}

void UpdateStartupShortcut(const Settings& settings) {
  const std::string folder = StartupFolder();
  if (folder.empty()) return;
  if (settings.launch_on_startup) {
    WriteEntry(folder, kAutostartEntryName, DesktopEntryText(ExecutablePath(), true));
  } else {
    RemoveEntry(folder + "/" + kAutostartEntryName);
  }
}

}  // namespace tarsel
