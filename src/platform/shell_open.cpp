#include "platform/shell_open.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace tarsel {
namespace {

bool StartXdgOpen(const std::string& target) {
  if (target.empty() || target[0] == '-' || target.find('\0') != std::string::npos) return false;
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string program = "xdg-open";
  char* argv[] = {program.data(), const_cast<char*>(target.c_str()), nullptr};
  pid_t pid = 0;
  int failure = posix_spawnp(&pid, "xdg-open", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failure != 0) return false;
  // xdg-open may wait for the program it starts; reap it without holding up the caller.
  std::thread([pid] {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

}  // namespace

bool OpenUrlInBrowser(const std::string& url) {
  return StartXdgOpen(url);
}

bool OpenDocument(const std::string& path) {
  // A relative name starting with '-' must not be taken for an option.
  return StartXdgOpen(!path.empty() && path[0] == '-' ? "./" + path : path);
}

}  // namespace tarsel
