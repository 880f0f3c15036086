#include "store/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tarsel {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now; false when the close reports a failed write.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteTemporary(const std::string& temp_path, std::string_view bytes, bool sync) {
  FileDescriptor file(::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (file.get() < 0) return false;
  // An old temporary file may have been created with a wider mode.
  if (::fchmod(file.get(), 0600) != 0) return false;
  if (!WriteAll(file.get(), bytes)) return false;
  if (sync && ::fsync(file.get()) != 0) return false;
  return file.Close();
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  std::string content;
  struct stat info {};
  if (::fstat(file.get(), &info) == 0 && info.st_size > 0) {
    content.resize(static_cast<size_t>(info.st_size));
  }
  size_t size = 0;
  while (true) {
    // Reads straight into the result; one more byte of room shows the end of the file.
    if (size == content.size()) content.resize(size < 32768 ? 65536 : size * 2);
    const ssize_t got = ::read(file.get(), content.data() + size, content.size() - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    size += static_cast<size_t>(got);
  }
  content.resize(size);
  return content;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& temp_path,
                           std::string_view bytes, bool sync) {
  if (!WriteTemporary(temp_path, bytes, sync) ||
      std::rename(temp_path.c_str(), path.c_str()) != 0) {
    ::unlink(temp_path.c_str());
    return false;
  }
  if (sync) {
    FileDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
  }
  return true;
}

}  // namespace tarsel
