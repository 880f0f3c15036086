#include "store/store_files.h"

#include <cerrno>
#include <cstdint>

#include "platform/atomic_file.h"
#include "store/node_factory.h"

namespace tarsel {
namespace {

constexpr int32_t kMajorVersion = kStoreVersion / 100;
constexpr int32_t kMinorVersion = kStoreVersion % 100;

// Whether a damaged node is dropped and reading goes on (the columns store), or every
// failure ends the reading (the memories store).
enum class Recovery { kPerNode, kNone };

// major * 100 + minor, held within 32 bits whatever a damaged header says.
int32_t CombineVersion(int32_t major, int32_t minor) {
  const int64_t version = static_cast<int64_t>(major) * 100 + minor;
  if (version > INT32_MAX) return INT32_MAX;
  if (version < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(version);
}

int32_t CountNodes(const std::vector<TreeNodeRef>& nodes) {
  int32_t count = 0;
  for (const TreeNodeRef& node : nodes) {
    ++count;
    if (node->Kind() == NodeKind::kGroup) {
      count += CountNodes(static_cast<const ColumnGroup&>(*node).children());
    }
  }
  return count;
}

void ReadNodes(StoreArchive& archive, ColumnTree& tree, const AllowedKinds& allowed,
               Recovery recovery) {
  const int32_t count = archive.ReadInt32();
  if (count < 0) archive.NoteDamage();
  for (int32_t i = 0; i < count; ++i) {
    const int32_t tag = archive.ReadInt32();
    TreeNodeRef node = CreateStoredNode(tag, allowed, archive.options());
    if (!node) {
      archive.NoteDamage();
      continue;
    }
    try {
      node->Load(archive);
    } catch (const CArchiveExeption& error) {
      if (error.code() == CArchiveExeption::kDamagedNode) {
        if (recovery == Recovery::kPerNode) continue;
        throw;
      }
      // What follows is no node boundary: keep what this node read and stop.
      tree.Append(std::move(node));
      throw;
    }
    tree.Append(std::move(node));
  }
  // Bytes after the last node: the count was damaged, and nodes may be lost behind it.
  if (archive.DataRemaining() > 0) archive.NoteDamage();
}

// Stores of major version 1 and 2 are read; anything else is no store of this program.
bool IsKnownMajor(int32_t major) {
  return major == 1 || major == 2;
}

std::optional<int32_t> ReadStore(StoreArchive& archive, ColumnTree& tree,
                                 const AllowedKinds& allowed, Recovery recovery,
                                 StoreReadReport* report) {
  std::optional<int32_t> version;
  const int32_t nodes_before = CountNodes(tree.nodes());
  try {
    const int32_t major = archive.ReadInt32();
    const int32_t minor = archive.ReadInt32();
    version = CombineVersion(major, minor);
    if (IsKnownMajor(major)) {
      archive.set_version(*version);
      ReadNodes(archive, tree, allowed, recovery);
    } else {
      // Without a header nothing that follows can be trusted.
      archive.NoteDamage();
    }
  } catch (const CArchiveExeption&) {
    // The nodes read before the failure stay.
    archive.NoteDamage();
  }
  // Damaged or hand-made stores may repeat ids; the tree needs them unique.
  tree.RepairIds();
  if (report != nullptr) {
    report->damaged = archive.damaged();
    report->size = archive.DataSize();
    report->damage_offset = archive.damage_offset();
    report->bytes_read = archive.position();
    report->nodes_kept = CountNodes(tree.nodes()) - nodes_before;
  }
  return version;
}

void WriteNodes(StoreArchive& archive, ColumnTree& tree) {
  archive.Write(kMajorVersion);
  archive.Write(kMinorVersion);
  archive.Write(static_cast<int32_t>(tree.nodes().size()));
  for (const TreeNodeRef& node : tree.nodes()) node->Save(archive);
}

std::string WriteStore(ColumnTree& tree, const StoreOptions& options) {
  StoreArchive archive(options);
  WriteNodes(archive, tree);
  return archive.TakeBytes();
}

bool SaveStore(ColumnTree& tree, const std::string& path, const std::string& temp_path,
               const StoreOptions& options) {
  return ReplaceFileAtomically(
      path, temp_path,
      [&](int fd) {
        StoreArchive archive(options, fd);
        WriteNodes(archive, tree);
        return archive.Finish();
      },
      options.sync);
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

// The version a store starts with, when it holds a header.
std::optional<int32_t> PeekVersion(StoreArchive archive) {
  try {
    const int32_t major = archive.ReadInt32();
    const int32_t minor = archive.ReadInt32();
    if (!IsKnownMajor(major)) return std::nullopt;
    return CombineVersion(major, minor);
  } catch (const CArchiveExeption&) {
    return std::nullopt;
  }
}

constexpr AllowedKinds kColumnStoreKinds{true, true, false};
constexpr AllowedKinds kMemoriesStoreKinds{true, false, true};

// Reads `path` a piece at a time; a file whose size is not known beforehand is read whole.
bool LoadStore(ColumnTree& tree, const std::string& path, const StoreOptions& options,
               const AllowedKinds& allowed, Recovery recovery) {
  StoreReadReport report;
  StoreFileWindow file;
  if (file.Open(path)) {
    StoreArchive archive(file, options);
    ReadStore(archive, tree, allowed, recovery, &report);
  } else {
    if (errno != 0) return false;
    const std::optional<FileContent> content = ReadWholeFile(path);
    if (!content) return false;
    StoreArchive archive(content->view(), options);
    ReadStore(archive, tree, allowed, recovery, &report);
  }
  NoteStoreLoad(path, report);
  return true;
}

// An older store is kept as it was before this version rewrites it.
void KeepOlderStore(const std::string& folder, const std::string& path, bool sync) {
  StoreFileWindow file;
  if (!file.Open(path)) return;
  const std::optional<int32_t> version = PeekVersion(StoreArchive(file, StoreOptions{}));
  if (!version || *version >= kStoreVersion) return;
  const std::optional<FileContent> content = ReadWholeFile(path);
  if (!content) return;
  const std::string copy = InFolder(folder, "columns" + std::to_string(*version) + ".dat");
  ReplaceFileAtomically(copy, copy + ".tmp", content->view(), sync);
}

}  // namespace

std::optional<int32_t> ReadColumnStore(std::string_view bytes, ColumnTree& tree,
                                       const StoreOptions& options, StoreReadReport* report) {
  StoreArchive archive(bytes, options);
  return ReadStore(archive, tree, kColumnStoreKinds, Recovery::kPerNode, report);
}

std::optional<int32_t> ReadMemoriesStore(std::string_view bytes, ColumnTree& tree,
                                         const StoreOptions& options, StoreReadReport* report) {
  StoreArchive archive(bytes, options);
  return ReadStore(archive, tree, kMemoriesStoreKinds, Recovery::kNone, report);
}

std::string WriteColumnStore(ColumnTree& tree, const StoreOptions& options) {
  return WriteStore(tree, options);
}

std::string WriteMemoriesStore(ColumnTree& tree, const StoreOptions& options) {
  StoreOptions memories_options = options;
  memories_options.save_columns_mode = false;
  return WriteStore(tree, memories_options);
}

bool LoadColumnStore(ColumnTree& tree, const std::string& folder, const StoreOptions& options) {
  const std::string path = InFolder(folder, kColumnStoreName);
  KeepOlderStore(folder, path, options.sync);
  return LoadStore(tree, path, options, kColumnStoreKinds, Recovery::kPerNode);
}

bool LoadMemoriesStore(ColumnTree& tree, const std::string& folder, const StoreOptions& options) {
  return LoadStore(tree, InFolder(folder, kMemoriesStoreName), options, kMemoriesStoreKinds,
                   Recovery::kNone);
}

bool SaveColumnStore(ColumnTree& tree, const std::string& folder, const StoreOptions& options) {
  const std::string path = InFolder(folder, kColumnStoreName);
  if (!KeepDamagedStoreBeforeWrite(path)) return false;
  return SaveStore(tree, path, InFolder(folder, kColumnStoreTempName), options);
}

bool SaveMemoriesStore(ColumnTree& tree, const std::string& folder, const StoreOptions& options) {
  StoreOptions memories_options = options;
  memories_options.save_columns_mode = false;
  const std::string path = InFolder(folder, kMemoriesStoreName);
  if (!KeepDamagedStoreBeforeWrite(path)) return false;
  return SaveStore(tree, path, InFolder(folder, kMemoriesStoreTempName), memories_options);
}

}  // namespace tarsel
