#include "store/store_file_window.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarsel {

StoreFileWindow::~StoreFileWindow() {
  if (fd_ >= 0) ::close(fd_);
}

bool StoreFileWindow::Open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    errno = 0;
    return false;
  }
  // The store is read once, front to back.
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  fd_ = fd;
  size_ = static_cast<size_t>(info.st_size);
  return true;
}

std::string_view StoreFileWindow::Fetch(size_t offset, size_t n) {
  const bool held = offset >= start_ && offset - start_ + n <= filled_;
  if (!held && !Refill(offset, n)) return {};
  return {buffer_.get() + (offset - start_), n};
}

bool StoreFileWindow::Refill(size_t offset, size_t n) {
  if (fd_ < 0 || n > kCapacity) return false;
  if (!buffer_) buffer_ = std::make_unique<char[]>(kCapacity);
  size_t kept = 0;
  if (offset >= start_ && offset - start_ < filled_) {
    kept = filled_ - (offset - start_);
    std::memmove(buffer_.get(), buffer_.get() + (offset - start_), kept);
  }
  start_ = offset;
  filled_ = kept;
  while (filled_ < kCapacity) {
    const ssize_t got = ::pread(fd_, buffer_.get() + filled_, kCapacity - filled_,
                                static_cast<off_t>(start_ + filled_));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    filled_ += static_cast<size_t>(got);
  }
  return filled_ >= n;
}

}  // namespace tarsel
