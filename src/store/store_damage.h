#pragma once

// What the program knows about a damaged store file, and the rule that keeps it: a columns.dat
// or memories.dat that did not read whole is never written over before it has been kept as
// "<name>.damaged-YYYYMMDD-HHMMSS" (local time) beside it. Such copies are never deleted.
//
// LoadColumnStore and LoadMemoriesStore (store_files.h) note what they found here, and the
// save functions keep the damaged file before their first write, so every caller gets the rule.
// A window asks StoreDamageAtLoad after loading (to show a message) and again after a save
// (kept_copy is then set). Any thread; the notes are process-wide and guarded.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tarsel {

// What reading a store found.
struct StoreReadReport {
  // The data is not what this writer writes: cut off, a bad header (or none: an empty file),
  // a dropped node, a count that cannot be true, unread bytes.
  bool damaged = false;
  size_t size = 0;           // bytes in the store
  size_t damage_offset = 0;  // where the first damage was met (when damaged)
  size_t bytes_read = 0;     // how far reading went
  int32_t nodes_kept = 0;    // groups and (memories) columns read, at any depth
};

struct StoreDamage {
  std::string path;  // the store file
  StoreReadReport read;
  // Where the damaged file was kept; empty until the first save after the load.
  std::string kept_copy;
};

// The damage found when `path` (folder + "/" + file name) was last loaded by this process;
// nullopt when it loaded whole or was not loaded.
std::optional<StoreDamage> StoreDamageAtLoad(const std::string& path);

// One English line for a terminal: what was damaged, how much was read, what was kept.
std::string DescribeStoreDamage(const StoreDamage& damage);

// For the store loaders and savers (store_files.cpp).
void NoteStoreLoad(const std::string& path, const StoreReadReport& report);
// Before `path` is written: when it loaded damaged and has not been kept yet, keeps it (a hard
// link, or a copy where links fail). False when it could not be kept; it must not be written.
bool KeepDamagedStoreBeforeWrite(const std::string& path);

}  // namespace tarsel
