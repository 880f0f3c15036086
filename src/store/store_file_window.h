#pragma once

// A store file read a piece at a time: only the part being read is held in memory, so loading
// a large store costs its records and not a second copy of the whole file besides.
//
// The file is read forwards (a piece may start anywhere after the previous one). One thread.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tarsel {

class StoreFileWindow {
 public:
  // The most bytes one Fetch may ask for.
  static constexpr size_t kCapacity = size_t{1} << 20;

  StoreFileWindow() = default;
  ~StoreFileWindow();
  StoreFileWindow(const StoreFileWindow&) = delete;
  StoreFileWindow& operator=(const StoreFileWindow&) = delete;

  // Opens a regular file. False (errno tells why) when it cannot be opened; false with errno 0
  // when it is no regular file (its size is not known beforehand: read it whole instead).
  bool Open(const std::string& path);

  // The size of the file when it was opened.
  size_t size() const { return size_; }

  // Bytes offset .. offset + n - 1 of the file (n at most kCapacity). Empty when the file now
  // ends before them, or cannot be read.
  std::string_view Fetch(size_t offset, size_t n);

 private:
  // Moves what is still wanted of the buffer to its front and reads the rest from `offset`.
  bool Refill(size_t offset, size_t n);

  int fd_ = -1;
  size_t size_ = 0;
  std::unique_ptr<char[]> buffer_;
  size_t start_ = 0;   // file offset of buffer_[0]
  size_t filled_ = 0;  // bytes of buffer_ that hold file data
};

}  // namespace tarsel
