#include "net/download/cache_file_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "net/download/cache_file_path.h"

namespace tarsel {
namespace {

constexpr int kOpenFlags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW;

int OpenCacheFile(const std::string& path) {
  int fd = open(path.c_str(), kOpenFlags, 0600);
  // The folder is made only when missing: the common case costs one system call.
  if (fd < 0 && errno == ENOENT && EnsureCacheFolder()) fd = open(path.c_str(), kOpenFlags, 0600);
  return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

bool WriteCacheFile(const std::string& path, std::string_view text) {
  const int fd = OpenCacheFile(path);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, text);
  // Not flushed: a power cut may leave the file empty or cut off, and nothing reads it before
  // the next 200 answer writes it again (a 304 answer does not read it).
  return close(fd) == 0 && written;
}

}  // namespace tarsel
