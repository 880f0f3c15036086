#pragma once

// The data folder as a tarsel-cli command sees it: the settings and the columns tree loaded the
// way the desktop program loads them, and written back the way it writes them.
//
// A command that changes the stores opens the session for writing: it then holds the
// single-instance lock for as long as the session lives, so neither the desktop program nor
// another writing command can load the same stores and later overwrite its changes. Reading
// takes no lock. One thread.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/instance_lock.h"
#include "settings/settings.h"
#include "store/column_tree.h"
#include "store/store_archive.h"

namespace tarsel::cli {

// What a command prints when the lock is held: who holds it, from the lock file.
std::string LockedMessage(const std::string& data_folder);

// kCount reads as kRead but leaves the records' texts out: for commands that show no record.
enum class StoreAccess { kRead, kCount, kWrite };

// After a store file was loaded: when it was damaged, says so on stderr with how much was read.
void WarnIfDamagedAtLoad(const std::string& path);
// After it was saved: when a damaged file was kept before the write, says where.
void WarnIfDamagedKept(const std::string& path);

class ColumnStoreSession {
 public:
  // Creates the data folder when missing, takes the lock (kWrite), reads settings.xml (which
  // also becomes the process-wide settings) and columns.dat (a missing file is an empty tree).
  // On failure prints the reason and returns null with the exit status in `status`:
  // kExitLocked when the lock is held elsewhere (the message names the holder), kExitFailure
  // when columns.dat exists but cannot be read (writing an empty tree over it would lose it).
  // File errors name the file and the system's reason.
  static std::unique_ptr<ColumnStoreSession> Open(StoreAccess access, int& status);

  ColumnTree& tree() { return tree_; }
  const ColumnTree& tree() const { return tree_; }
  const Settings& settings() const { return settings_; }
  const std::string& data_folder() const { return data_folder_; }
  const StoreOptions& store_options() const { return options_; }

  // The display code page of the encoding setting, and conversions to and from it for text
  // that comes from or goes to the terminal (UTF-8).
  int code_page() const { return code_page_; }
  std::string ToUtf8(std::string_view bytes) const;
  std::string FromUtf8(std::string_view utf8) const;

  // The node with the id the user wrote; prints why not and returns null otherwise.
  TreeNodeRef FindNode(std::string_view id_text) const;
  // The same for a command that takes only a column: a group's id is refused too.
  std::shared_ptr<Column> FindColumn(std::string_view id_text) const;

  // Writes columns.dat. Prints the failure and returns false when it cannot (the old file then
  // stays). Only for a session opened for writing.
  bool Save();

 private:
  ColumnStoreSession() = default;

  InstanceLock lock_;
  std::string data_folder_;
  Settings settings_;
  StoreOptions options_;
  int code_page_ = 1252;
  ColumnTree tree_;
  bool writable_ = false;
};

}  // namespace tarsel::cli
