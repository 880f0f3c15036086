#include "app/startup_shortcut.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/folders.h"

namespace tarsel {

namespace {

constexpr char kEntryName[] = "/Tarsel.desktop";

// A desktop entry's Exec argument: in double quotes, with '"', '`', '$' and '\' escaped; then
// every '\' of that doubled again, as the value itself is an escaped string.
std::string QuotedExecArgument(const std::string& path) {
  std::string quoted = "\"";
  for (char byte : path) {
    if (byte == '"' || byte == '`' || byte == '$') {
      quoted += "\\\\";
    } else if (byte == '\\') {
      quoted += "\\\\\\";
    }
    quoted += byte;
  }
  return quoted + "\"";
}

// Line breaks would start new keys; the path of a program folder never holds one, but a
// folder name could.
std::string OneLine(std::string text) {
  for (char& byte : text) {
    if (byte == '\n' || byte == '\r') byte = ' ';
  }
  return text;
}

}  // namespace

std::string StartupEntryText(const std::string& executable, const std::string& program_folder) {
  std::string text = "[Desktop Entry]\nType=Application\nName=Tarsel\n";
  text += "Exec=" + OneLine(QuotedExecArgument(executable)) + "\n";
  text += "Path=" + OneLine(program_folder) + "\n";
  // The icon theme's name of the installed icon: a path to the executable names no picture.
  text += "Icon=tarsel\n";
  text += "Terminal=false\nX-GNOME-Autostart-enabled=true\n";
  return text;
}

void UpdateStartupShortcut(bool launch_on_startup, const std::string& executable) {
  const std::string folder = StartupFolder();
  if (folder.empty()) return;
  const std::string path = folder + kEntryName;
  std::error_code ignored;
  if (!launch_on_startup) {
    std::filesystem::remove(path, ignored);
    return;
  }
  if (executable.empty()) return;
  std::filesystem::create_directories(folder, ignored);
  const std::string program_folder = std::filesystem::path(executable).parent_path().string();
  WriteFileAtomically(path, StartupEntryText(executable, program_folder), 0644, false);
}

std::string CurrentExecutable() {
  std::array<char, 4096> buffer{};
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return {};
  return std::string(buffer.data(), static_cast<size_t>(length));
}

}  // namespace tarsel
