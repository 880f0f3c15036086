#pragma once

// StoreArchive: the binary serialiser of columns.dat and memories.dat, and the options a store
// is read or written with.
//
// Encoding: little-endian int32; bool as one byte (0 false, anything else true); a string as
// an int32 length 0..640000 and that many bytes; a block as int32 start (its own absolute
// offset), int32 length (from start to its end, the 8 header bytes included), then its
// contents. Blocks nest. Reading inside a block is bounded: a field the block does not hold is
// not read (an int32 or bool keeps its value, a string becomes empty), and closing a block
// skips whatever of it was not read. So older, shorter blocks load with defaults, and newer,
// longer ones load with their extra fields skipped.
//
// A store is read from bytes in memory or a piece at a time from its file, and written to
// memory or through a buffer to its file. One archive is used by one thread.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/column.h"
#include "store/store_file_window.h"

namespace tarsel {

// The version this writer produces: major 2, minor 0.
inline constexpr int32_t kStoreVersion = 200;
inline constexpr int32_t kMaxStoredString = 640000;
inline constexpr int32_t kMaxGroupChildren = 10000;
// Groups nested deeper than this are dropped as damaged.
inline constexpr int32_t kMaxGroupNesting = 2000;

// Thrown while a store is read; caught by the store loaders.
class CArchiveExeption : public std::exception {
 public:
  // A string length outside 0..640000, a cut-off or malformed file: the reader cannot tell
  // where the next node starts.
  static constexpr int32_t kBadData = 0;
  // A damaged node whose own block was closed: the position is at the node's end, so the node
  // is dropped and reading goes on with the next one.
  static constexpr int32_t kDamagedNode = 2;

  explicit CArchiveExeption(int32_t code) : code_(code) {}
  int32_t code() const { return code_; }
  const char* what() const noexcept override;

 private:
  int32_t code_;
};

// What reading and writing a store takes from outside the store.
struct StoreOptions {
  // Columns the reader creates start with these (fields that older stores lack keep them).
  NewColumnDefaults column_defaults;
  // The clean copy: columns are written without records, validators and times.
  bool save_columns_mode = false;
  // Flush the written file and its folder to the disk before and after the replace.
  bool sync = true;
  // "Now" for records of older stores; 0 takes the clock when reading starts.
  int32_t now = 0;
  // Stores older than version 103 keep no summary: it is made from (description HTML, link),
  // giving plain text. Unset: such records get an empty summary.
  std::function<std::string(const std::string& description, const std::string& link)> make_summary;
  // Reading: false reads each record's marks and times but leaves its texts empty, for a reader
  // that only counts records. A tree read so must never be written back.
  bool record_texts = true;
};

class StoreArchive {
 public:
  // Reads `bytes`, which must outlive the archive.
  StoreArchive(std::string_view bytes, const StoreOptions& options);
  // Reads the file of `file` (from its start), which must outlive the archive. A file that
  // cannot be read to the size it had when opened reads as cut off there.
  StoreArchive(StoreFileWindow& file, const StoreOptions& options);
  // Writes into a buffer of its own (bytes()).
  explicit StoreArchive(const StoreOptions& options);
  // Writes to the open file `fd` (at its start) through a buffer; Finish() writes the rest.
  StoreArchive(const StoreOptions& options, int fd);

  bool IsLoading() const { return loading_; }
  const StoreOptions& options() const { return options_; }
  // The file version (major * 100 + minor) whose fields are read; kStoreVersion when writing.
  int32_t version() const { return version_; }
  void set_version(int32_t version) { version_ = version; }
  // The reading's "now": options().now or the clock when the archive was made.
  int32_t now() const { return now_; }

  // Reading. Inside a block a field the block does not hold is not read; outside any block,
  // and at the end of the data, CArchiveExeption(kBadData) is thrown.
  void Read(int32_t& value);
  void Read(bool& value);
  // Throws kBadData for a length outside 0..kMaxStoredString.
  void Read(std::string& value);
  // Goes past a string as Read would, without keeping it.
  void SkipString();
  int32_t ReadInt32() {
    int32_t value = 0;
    Read(value);
    return value;
  }

  // Writing. A string longer than kMaxStoredString is cut to that length, or a little less so
  // that no UTF-8 character is split (CharacterBoundaryAtOrBefore).
  void Write(int32_t value);
  void Write(bool value);
  void Write(std::string_view value);
  // Keeps a string literal from passing for a bool.
  void Write(const char* value) { Write(std::string_view(value)); }

  // Reads or writes, by direction.
  template <typename T>
  void Field(T& value) {
    if (loading_) {
      Read(value);
    } else {
      Write(value);
    }
  }

  // Reading: a nested block must lie inside the block around it and hold its own header;
  // else kBadData. Closing skips to the block's end.
  void BeginBlock();
  void EndBlock();

  // Bytes the innermost open block can still give (outside any block: the rest of the data).
  size_t Remaining() const;
  // Bytes of data after the current position.
  size_t DataRemaining() const { return data_size_ - position_; }
  // Bytes of the whole data.
  size_t DataSize() const { return data_size_; }
  size_t position() const { return position_; }
  size_t open_blocks() const { return blocks_.size(); }

  // Reading: notes that the data is not what this writer writes (a dropped node, a count that
  // cannot be true, a field missing from a block of the current version). The first offset
  // noted is kept.
  void NoteDamage();
  bool damaged() const { return damage_offset_.has_value(); }
  size_t damage_offset() const { return damage_offset_.value_or(0); }

  // Group nesting: Enter gives false when one more level would pass kMaxGroupNesting.
  bool EnterGroup();
  void LeaveGroup() { --group_depth_; }

  // Writing to memory: the bytes written so far.
  const std::string& bytes() const { return out_; }
  std::string TakeBytes() { return std::move(out_); }
  // Writing to a file: writes what is still buffered; false when any write failed.
  bool Finish();

 private:
  struct OpenBlock {
    size_t start;
    size_t end;
  };
  // Whether n bytes may be read here: false when the innermost block lacks them; throws
  // kBadData when the data ends first.
  bool CanRead(size_t n);
  // The n bytes at the position, which CanRead allowed.
  const char* Bytes(size_t n);
  // Writing: the offset of the next byte in the whole output.
  size_t OutputOffset() const { return flushed_ + out_.size(); }
  void FlushIfFull();
  void PatchInt32(size_t offset, int32_t value);

  bool loading_;
  StoreOptions options_;
  int32_t version_ = kStoreVersion;
  int32_t now_ = 0;
  std::string_view data_;            // reading from memory: the whole data
  StoreFileWindow* file_ = nullptr;  // reading from a file
  size_t data_size_ = 0;
  size_t position_ = 0;
  std::string out_;
  int fd_ = -1;         // the file written through out_, or -1 for memory
  size_t flushed_ = 0;  // bytes already written to fd_
  bool write_failed_ = false;
  std::vector<OpenBlock> blocks_;
  int32_t group_depth_ = 0;
  std::optional<size_t> damage_offset_;
};

}  // namespace tarsel
