#include "store/store_damage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <map>
#include <mutex>

#include "platform/atomic_file.h"

namespace tarsel {
namespace {

struct Notes {
  std::mutex mutex;
  // Stores that loaded damaged, by path; pending until kept.
  std::map<std::string, StoreDamage> damaged;
};

Notes& TheNotes() {
  static Notes notes;
  return notes;
}

// "<path>.damaged-YYYYMMDD-HHMMSS", with "-2", "-3"... when that name is taken.
std::string KeptName(const std::string& path, int attempt) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  std::string name = path + ".damaged-" + stamp;
  if (attempt > 1) name += "-" + std::to_string(attempt);
  return name;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

// A new file at `copy` with the bytes of `path`; never replaces an existing file.
bool CopyNew(const std::string& path, const std::string& copy) {
  const std::optional<FileContent> content = ReadWholeFile(path);
  if (!content) return false;
  const int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  std::string_view rest = content->view();
  bool ok = true;
  while (ok && !rest.empty()) {
    const ssize_t written = ::write(fd, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    ok = written > 0;
    if (ok) rest.remove_prefix(static_cast<size_t>(written));
  }
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (!ok) ::unlink(copy.c_str());
  return ok;
}

// Keeps `path` under a free name; the name used, or empty.
std::string Keep(const std::string& path) {
  for (int attempt = 1; attempt < 100; ++attempt) {
    const std::string copy = KeptName(path, attempt);
    if (Exists(copy)) continue;
    if (::link(path.c_str(), copy.c_str()) == 0) return copy;
    if (errno == EEXIST) continue;
    if (CopyNew(path, copy)) return copy;
    if (!Exists(copy)) return {};
  }
  return {};
}

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<StoreDamage> StoreDamageAtLoad(const std::string& path) {
  Notes& notes = TheNotes();
  std::lock_guard<std::mutex> guard(notes.mutex);
  const auto found = notes.damaged.find(path);
  if (found == notes.damaged.end()) return std::nullopt;
  return found->second;
}

std::string DescribeStoreDamage(const StoreDamage& damage) {
  const StoreReadReport& read = damage.read;
  std::string text = FileName(damage.path) + " is damaged";
  if (read.size == 0) {
    text += " (it is empty)";
  } else {
    text += " at byte " + std::to_string(read.damage_offset) + " of " + std::to_string(read.size);
  }
  text += "; groups and columns read before the damage: " + std::to_string(read.nodes_kept);
  if (damage.kept_copy.empty()) {
    text += ". It will be kept as " + FileName(damage.path) +
            ".damaged-<date>-<time> before it is written again.";
  } else {
    text += ". The damaged file was kept as " + damage.kept_copy + ".";
  }
  return text;
}

void NoteStoreLoad(const std::string& path, const StoreReadReport& report) {
  Notes& notes = TheNotes();
  std::lock_guard<std::mutex> guard(notes.mutex);
  if (!report.damaged) {
    // A whole file from a later load: nothing is pending for it any more.
    notes.damaged.erase(path);
    return;
  }
  StoreDamage& damage = notes.damaged[path];
  const bool already_kept = !damage.kept_copy.empty();
  damage.path = path;
  damage.read = report;
  if (already_kept) damage.kept_copy.clear();  // a new damaged file: keep it too
}

bool KeepDamagedStoreBeforeWrite(const std::string& path) {
  Notes& notes = TheNotes();
  std::lock_guard<std::mutex> guard(notes.mutex);
  const auto found = notes.damaged.find(path);
  if (found == notes.damaged.end() || !found->second.kept_copy.empty()) return true;
  // Gone meanwhile (moved away by the user): nothing to keep.
  if (!Exists(path)) return true;
  found->second.kept_copy = Keep(path);
  return !found->second.kept_copy.empty();
}

}  // namespace tarsel
