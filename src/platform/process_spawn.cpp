#include "platform/process_spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

#include "platform/shell_open.h"

extern char** environ;

namespace tarsel {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// Reads "..." starting at text[*at] == '"' into word; *at ends after the closing quote.
bool ReadDoubleQuoted(std::string_view text, size_t* at, std::string* word) {
  constexpr std::string_view kEscapable = "$`\"\\\n";
  for (size_t i = *at + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      *at = i + 1;
      return true;
    }
    if (c == '\\' && i + 1 < text.size() && kEscapable.find(text[i + 1]) != std::string::npos) {
      if (text[++i] != '\n') *word += text[i];
      continue;
    }
    *word += c;
  }
  return false;
}

// The attributes and descriptor plan every spawned program gets; released with the object.
class SpawnPlan {
 public:
  SpawnPlan() {
    actions_ready_ = posix_spawn_file_actions_init(&actions_) == 0;
    attributes_ready_ = posix_spawnattr_init(&attributes_) == 0;
  }
  ~SpawnPlan() {
    if (actions_ready_) posix_spawn_file_actions_destroy(&actions_);
    if (attributes_ready_) posix_spawnattr_destroy(&attributes_);
  }
  SpawnPlan(const SpawnPlan&) = delete;
  SpawnPlan& operator=(const SpawnPlan&) = delete;

  bool Prepare();
  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
  bool actions_ready_ = false;
  bool attributes_ready_ = false;
};

bool SpawnPlan::Prepare() {
  if (!actions_ready_ || !attributes_ready_) return false;
  bool ok = posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0) == 0;
  // Output goes to stderr so that it never mixes into what tarsel-cli prints on stdout.
  if (fcntl(STDERR_FILENO, F_GETFD) != -1) {
    ok = ok && posix_spawn_file_actions_adddup2(&actions_, STDERR_FILENO, STDOUT_FILENO) == 0;
  } else {
    ok = ok && posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0) == 0;
  }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  // Sockets and the instance lock must not live on in the program.
  ok = ok && posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1) == 0;
#endif
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  sigdelset(&all, SIGKILL);
  sigdelset(&all, SIGSTOP);
  short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
  // A session of its own: closing the terminal of tarsel-cli does not end the program.
  flags |= POSIX_SPAWN_SETSID;
#endif
  ok = ok && posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
       posix_spawnattr_setsigdefault(&attributes_, &all) == 0 &&
       posix_spawnattr_setflags(&attributes_, flags) == 0;
  return ok;
}

void ReapInBackground(pid_t pid) {
  try {
    std::thread([pid] {
      while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // Without a thread the child stays a zombie until this process ends; it still runs.
  }
}

// A web address, or an existing file that is not executable: the desktop opens these.
bool IsDocument(const std::string& file) {
  if (file.find("://") != std::string::npos || file.starts_with("mailto:")) return true;
  struct stat status;
  return stat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         access(file.c_str(), X_OK) != 0;
}

}  // namespace

std::optional<std::vector<std::string>> SplitShellWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (IsBlank(c)) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
      ++i;
    } else if (c == '\\' && i + 1 < text.size()) {
      if (text[i + 1] != '\n') {
        word += text[i + 1];
        in_word = true;
      }
      i += 2;
    } else if (c == '\'') {
      size_t close = text.find('\'', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      word.append(text.substr(i + 1, close - i - 1));
      in_word = true;
      i = close + 1;
    } else if (c == '"') {
      if (!ReadDoubleQuoted(text, &i, &word)) return std::nullopt;
      in_word = true;
    } else {
      word += c;
      in_word = true;
      ++i;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

bool SpawnDetached(const std::vector<std::string>& argv, pid_t* pid) {
  if (argv.empty() || argv[0].empty()) return false;
  std::vector<char*> arguments;
  for (const std::string& argument : argv) {
    if (argument.find('\0') != std::string::npos) return false;
    arguments.push_back(const_cast<char*>(argument.c_str()));
  }
  arguments.push_back(nullptr);
  SpawnPlan plan;
  if (!plan.Prepare()) return false;
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0].c_str(), plan.actions(), plan.attributes(), arguments.data(),
                   environ) != 0) {
    return false;
  }
  if (pid != nullptr) *pid = child;
  ReapInBackground(child);
  return true;
}

bool OpenProgram(const std::string& file, const std::string& parameters) {
  if (file.empty()) return false;
  std::optional<std::vector<std::string>> words = SplitShellWords(parameters);
  if (!words) return false;
  if (words->empty() && IsDocument(file)) return OpenDocument(file);
  std::vector<std::string> argv{file};
  argv.insert(argv.end(), words->begin(), words->end());
  return SpawnDetached(argv);
}

}  // namespace tarsel
