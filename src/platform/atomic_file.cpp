#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tarsel {
namespace {

// Large stores are read into memory of large pages where the system offers them: far fewer
// page faults than ordinary heap memory for a file of a hundred megabytes.
constexpr size_t kLargePage = size_t{2} << 20;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    const int reason = errno;
    if (fd_ >= 0) ::close(fd_);
    errno = reason;
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

bool WriteTemporary(const std::string& temp_path, const std::function<bool(int fd)>& write_content,
                    bool sync) {
  FileDescriptor file(::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (file.get() < 0) return false;
  // An old temporary file may have been created with a wider mode.
  if (::fchmod(file.get(), 0600) != 0) return false;
  if (!write_content(file.get())) return false;
  if (sync && ::fsync(file.get()) != 0) return false;
  return file.Close();
}

}  // namespace

FileContent::~FileContent() {
  Release();
}

FileContent::FileContent(FileContent&& other) noexcept
    : data_(other.data_), size_(other.size_), capacity_(other.capacity_) {
  other.data_ = nullptr;
  other.size_ = other.capacity_ = 0;
}

FileContent& FileContent::operator=(FileContent&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = other.data_;
    size_ = other.size_;
    capacity_ = other.capacity_;
    other.data_ = nullptr;
    other.size_ = other.capacity_ = 0;
  }
  return *this;
}

void FileContent::Release() {
  if (data_ != nullptr) ::munmap(data_, capacity_);
  data_ = nullptr;
  size_ = capacity_ = 0;
}

void FileContent::Reserve(size_t capacity) {
  if (capacity <= capacity_) return;
  const size_t unit = capacity < kLargePage ? size_t{4096} : kLargePage;
  capacity = (capacity + unit - 1) / unit * unit;
  void* memory =
      ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) throw std::bad_alloc();
  ::madvise(memory, capacity, MADV_HUGEPAGE);
  auto* bytes = static_cast<char*>(memory);
  if (size_ > 0) std::memcpy(bytes, data_, size_);
  const size_t size = size_;
  Release();
  data_ = bytes;
  size_ = size;
  capacity_ = capacity;
}

std::optional<FileContent> ReadWholeFile(const std::string& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  FileContent content;
  struct stat info {};
  const bool sized = ::fstat(file.get(), &info) == 0 && info.st_size > 0;
  try {
    // One byte more than the file's size, so the end shows without a second allocation.
    content.Reserve(sized ? static_cast<size_t>(info.st_size) + 1 : kLargePage);
    while (true) {
      if (content.room() == 0) content.Reserve(content.view().size() * 2);
      const ssize_t got = ::read(file.get(), content.end(), content.room());
      if (got < 0) {
        if (errno == EINTR) continue;
        return std::nullopt;
      }
      if (got == 0) break;
      content.Grow(static_cast<size_t>(got));
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  return content;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& temp_path,
                           const std::function<bool(int fd)>& write_content, bool sync) {
  if (!WriteTemporary(temp_path, write_content, sync) ||
      std::rename(temp_path.c_str(), path.c_str()) != 0) {
    // The caller reports the reason of the failed step, not of the clean-up.
    const int reason = errno;
    ::unlink(temp_path.c_str());
    errno = reason;
    return false;
  }
  if (sync) {
    FileDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
  }
  return true;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& temp_path,
                           std::string_view bytes, bool sync) {
  return ReplaceFileAtomically(
      path, temp_path, [bytes](int fd) { return WriteAll(fd, bytes); }, sync);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode, bool sync) {
  std::string temp_path = path + ".XXXXXX";
  // A unique temporary name, so that two writers of one path never share a temporary file.
  const int fd = ::mkostemp(temp_path.data(), O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return ReplaceFileAtomically(
      path, temp_path,
      [bytes, mode](int out) {
        return WriteAll(out, bytes) && (mode == 0600 || ::fchmod(out, mode) == 0);
      },
      sync);
}

}  // namespace tarsel
