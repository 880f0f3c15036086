#include "store/store_archive.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/utf8_text.h"

namespace tarsel {
namespace {

constexpr size_t kBlockHeaderSize = 8;
// Writing to a file goes out in pieces of about this size.
constexpr size_t kWriteChunk = 1 << 20;

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

int32_t DecodeInt32(const char* bytes) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return static_cast<int32_t>(value);
}

void EncodeInt32(int32_t value, char* bytes) {
  const auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xff);
}

}  // namespace

const char* CArchiveExeption::what() const noexcept {
  return code_ == kDamagedNode ? "damaged store node" : "damaged store data";
}

StoreArchive::StoreArchive(std::string_view bytes, const StoreOptions& options)
    : loading_(true), options_(options), data_(bytes), data_size_(bytes.size()) {
  now_ = options_.now != 0 ? options_.now : NowSeconds();
}

StoreArchive::StoreArchive(StoreFileWindow& file, const StoreOptions& options)
    : loading_(true), options_(options), file_(&file), data_size_(file.size()) {
  now_ = options_.now != 0 ? options_.now : NowSeconds();
}

const char* StoreArchive::Bytes(size_t n) {
  if (file_ == nullptr) return data_.data() + position_;
  const std::string_view bytes = file_->Fetch(position_, n);
  // The file became shorter since it was opened: read as a cut-off file.
  if (bytes.size() < n) throw CArchiveExeption(CArchiveExeption::kBadData);
  return bytes.data();
}

StoreArchive::StoreArchive(const StoreOptions& options) : loading_(false), options_(options) {
  now_ = options_.now != 0 ? options_.now : NowSeconds();
}

StoreArchive::StoreArchive(const StoreOptions& options, int fd) : StoreArchive(options) {
  fd_ = fd;
  out_.reserve(kWriteChunk + kMaxStoredString + 64);
}

void StoreArchive::FlushIfFull() {
  if (fd_ < 0 || out_.size() < kWriteChunk) return;
  if (!write_failed_ && !WriteAll(fd_, out_.data(), out_.size())) write_failed_ = true;
  flushed_ += out_.size();
  out_.clear();
}

bool StoreArchive::Finish() {
  if (fd_ >= 0 && !write_failed_ && !WriteAll(fd_, out_.data(), out_.size())) {
    write_failed_ = true;
  }
  flushed_ += out_.size();
  out_.clear();
  return !write_failed_;
}

void StoreArchive::PatchInt32(size_t offset, int32_t value) {
  char bytes[4];
  EncodeInt32(value, bytes);
  if (offset >= flushed_) {
    std::memcpy(&out_[offset - flushed_], bytes, 4);
    return;
  }
  // Already written: mend it in the file, where the block began.
  if (!write_failed_ && ::pwrite(fd_, bytes, 4, static_cast<off_t>(offset)) != 4) {
    write_failed_ = true;
  }
}

size_t StoreArchive::Remaining() const {
  if (blocks_.empty()) return DataRemaining();
  const size_t end = blocks_.back().end;
  return end > position_ ? end - position_ : 0;
}

void StoreArchive::NoteDamage() {
  if (!damage_offset_) damage_offset_ = position_;
}

bool StoreArchive::CanRead(size_t n) {
  if (!blocks_.empty() && Remaining() < n) {
    // This writer's blocks hold every field it reads; only older writers' may be shorter.
    if (version_ == kStoreVersion) NoteDamage();
    return false;
  }
  if (DataRemaining() < n) throw CArchiveExeption(CArchiveExeption::kBadData);
  return true;
}

void StoreArchive::Read(int32_t& value) {
  if (!CanRead(4)) return;
  value = DecodeInt32(Bytes(4));
  position_ += 4;
}

void StoreArchive::Read(bool& value) {
  if (!CanRead(1)) return;
  value = *Bytes(1) != 0;
  position_ += 1;
}

void StoreArchive::Read(std::string& value) {
  int32_t length = 0;
  Read(length);
  if (length < 0 || length > kMaxStoredString) throw CArchiveExeption(CArchiveExeption::kBadData);
  const auto size = static_cast<size_t>(length);
  if (!CanRead(size)) {
    value.clear();
    return;
  }
  value.assign(size == 0 ? "" : Bytes(size), size);
  position_ += size;
}

void StoreArchive::SkipString() {
  int32_t length = 0;
  Read(length);
  if (length < 0 || length > kMaxStoredString) throw CArchiveExeption(CArchiveExeption::kBadData);
  const auto size = static_cast<size_t>(length);
  if (CanRead(size)) position_ += size;
}

void StoreArchive::Write(int32_t value) {
  char bytes[4];
  EncodeInt32(value, bytes);
  out_.append(bytes, 4);
}

void StoreArchive::Write(bool value) {
  out_.push_back(value ? 1 : 0);
}

void StoreArchive::Write(std::string_view value) {
  // Cut back to a character boundary, so that a UTF-8 text keeps no half character.
  if (value.size() > static_cast<size_t>(kMaxStoredString)) {
    value = value.substr(0, CharacterBoundaryAtOrBefore(value, kMaxStoredString));
  }
  Write(static_cast<int32_t>(value.size()));
  out_.append(value);
  FlushIfFull();
}

void StoreArchive::BeginBlock() {
  if (!loading_) {
    const size_t start = OutputOffset();
    blocks_.push_back({start, 0});
    Write(static_cast<int32_t>(start));
    Write(int32_t{0});
    return;
  }
  // The stored start is the block's own offset in every file this program writes; the
  // reader goes by where the block really is, so a damaged start cannot send it backwards.
  if (!blocks_.empty() && Remaining() < kBlockHeaderSize) {
    throw CArchiveExeption(CArchiveExeption::kBadData);
  }
  if (DataRemaining() < kBlockHeaderSize) throw CArchiveExeption(CArchiveExeption::kBadData);
  const size_t start = position_;
  const int32_t length = DecodeInt32(Bytes(kBlockHeaderSize) + 4);
  position_ += kBlockHeaderSize;
  if (length < static_cast<int32_t>(kBlockHeaderSize)) {
    throw CArchiveExeption(CArchiveExeption::kBadData);
  }
  const size_t end = start + static_cast<size_t>(length);
  if (!blocks_.empty() && end > blocks_.back().end) {
    throw CArchiveExeption(CArchiveExeption::kBadData);
  }
  blocks_.push_back({start, end});
}

void StoreArchive::EndBlock() {
  if (blocks_.empty()) return;
  const OpenBlock block = blocks_.back();
  blocks_.pop_back();
  if (!loading_) {
    PatchInt32(block.start + 4, static_cast<int32_t>(OutputOffset() - block.start));
    return;
  }
  // What this writer's blocks hold is read whole; only newer writers' may hold more.
  if (version_ == kStoreVersion && position_ < block.end) NoteDamage();
  // A block that runs past the end of the data (a cut-off file) leaves the position at the
  // end, where the next read fails.
  position_ = block.end < data_size_ ? block.end : data_size_;
}

bool StoreArchive::EnterGroup() {
  if (group_depth_ >= kMaxGroupNesting) return false;
  ++group_depth_;
  return true;
}

}  // namespace tarsel
