#pragma once

// Whole-file reading and the safe replacement of a file. POSIX; any thread.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

// The bytes of a file read whole, in memory of their own (released with the object).
class FileContent {
 public:
  FileContent() = default;
  ~FileContent();
  FileContent(FileContent&& other) noexcept;
  FileContent& operator=(FileContent&& other) noexcept;
  FileContent(const FileContent&) = delete;
  FileContent& operator=(const FileContent&) = delete;

  std::string_view view() const { return {data_, size_}; }
  // Makes room for at least `capacity` bytes, keeping the first size() bytes.
  void Reserve(size_t capacity);
  char* end() { return data_ + size_; }
  size_t room() const { return capacity_ - size_; }
  void Grow(size_t added) { size_ += added; }

 private:
  void Release();
  char* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

// Every function here that fails leaves the reason of the step that failed in errno.

// The whole content of `path`; nullopt when it cannot be opened or read.
std::optional<FileContent> ReadWholeFile(const std::string& path);

// Lets `write_content` write the new content to `temp_path` (created with mode 0600,
// replacing any old one), then renames it over `path`. With `sync`, the temporary file is
// flushed to the disk before the rename and the folder after it. When `write_content` gives
// false or anything else fails, the temporary file is removed and `path` stays untouched.
bool ReplaceFileAtomically(const std::string& path, const std::string& temp_path,
                           const std::function<bool(int fd)>& write_content, bool sync);
bool ReplaceFileAtomically(const std::string& path, const std::string& temp_path,
                           std::string_view bytes, bool sync);

// Replaces the file at `path` with `bytes` through a temporary file of a unique name in the same
// folder, giving it the permission bits `mode` (by default readable and writable by the user
// only). With `sync` the file and its folder are flushed to disk; files that can be fetched again
// may skip it. The folder must exist. Two writers of the same path leave one complete version.
// False, with the old file untouched and no temporary file left, on failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode = 0600,
                         bool sync = true);

}  // namespace tarsel
