#pragma once

// columns.dat and memories.dat: loading a tree from its store file and writing it back.
//
// Main thread only (the CLI: its one thread). Saving takes each column's lock while it writes
// that column, so a merge still running cannot change the records being written; the caller
// must not hold a column's lock while saving.
//
// A damaged or cut-off file loads what came before the damage: a damaged node (a group with a
// child count outside 0..10000, a count its block cannot hold) is dropped and the next node
// loads; a negative record or filter count keeps its column without records or rules; data the
// reader cannot find its way through ends the reading with what was read. An empty file, or one
// without a header of major version 1 or 2, loads nothing. Whatever was damaged is noted
// (store_damage.h: StoreDamageAtLoad), and the damaged file is kept beside the store before the
// first save writes over it; a save that cannot keep it writes nothing and gives false.
// Store files are created with mode 0600: they hold the columns' passwords.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/column_tree.h"
#include "store/store_archive.h"
#include "store/store_damage.h"

namespace tarsel {

inline constexpr char kColumnStoreName[] = "columns.dat";
inline constexpr char kColumnStoreTempName[] = "columnstemp.dat";
inline constexpr char kMemoriesStoreName[] = "memories.dat";
inline constexpr char kMemoriesStoreTempName[] = "memoriestemp.dat";

// Reads `folder`/columns.dat and appends its groups and columns to `tree`. A file older than
// the current version is first copied to `folder`/columns<version>.dat. False when the file
// cannot be opened (the tree is unchanged).
bool LoadColumnStore(ColumnTree& tree, const std::string& folder, const StoreOptions& options);
// Reads `folder`/memories.dat: groups and memories columns.
bool LoadMemoriesStore(ColumnTree& tree, const std::string& folder, const StoreOptions& options);

// Writes `folder`/columns.dat through columnstemp.dat, which replaces the old file only when
// it is complete (and, with options.sync, on the disk). A columns.dat that loaded damaged is
// first kept (store_damage.h). False when nothing could be written; the old file then stays.
bool SaveColumnStore(ColumnTree& tree, const std::string& folder, const StoreOptions& options);
// The same for memories.dat; records marked deleted are first dropped from memories columns.
bool SaveMemoriesStore(ColumnTree& tree, const std::string& folder, const StoreOptions& options);

// The same in memory. Reading returns the file version, or nullopt when the data is shorter
// than the version header; `report`, when given, tells what the reading found.
std::optional<int32_t> ReadColumnStore(std::string_view bytes, ColumnTree& tree,
                                       const StoreOptions& options,
                                       StoreReadReport* report = nullptr);
std::optional<int32_t> ReadMemoriesStore(std::string_view bytes, ColumnTree& tree,
                                         const StoreOptions& options,
                                         StoreReadReport* report = nullptr);
std::string WriteColumnStore(ColumnTree& tree, const StoreOptions& options);
std::string WriteMemoriesStore(ColumnTree& tree, const StoreOptions& options);

}  // namespace tarsel
