#include "store/store_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "store_bytes.h"
#include "store_sample.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ExpectColumnsEqual;
using testing::ExpectRecordsEqual;
using testing::FillColumnsTree;
using testing::SampleRecord;
using testing::StoreBytes;

// The first `limit` bytes of the file at most: a save that put its link to a device in place of
// the store must fail the test, not read the device without end.
std::string ReadAtMost(const std::string& path, size_t limit) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(limit, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(limit));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

std::vector<int32_t> Ids(const ColumnTree& tree) {
  std::vector<int32_t> ids;
  for (const auto& node : tree.nodes()) ids.push_back(node->id);
  return ids;
}

TEST(ColumnStoreTest, RoundTripKeepsEveryStoredField) {
  ColumnTree original;
  FillColumnsTree(original);
  const std::string bytes = WriteColumnStore(original, StoreOptions{});
  ColumnTree loaded;
  EXPECT_EQ(ReadColumnStore(bytes, loaded, StoreOptions{}), kStoreVersion);

  EXPECT_EQ(Ids(loaded), (std::vector<int32_t>{1, 5, 6}));
  auto news = std::static_pointer_cast<ColumnGroup>(loaded.FindById(1));
  EXPECT_EQ(news->name, "News");
  EXPECT_FALSE(news->expanded);
  EXPECT_EQ(news->ColumnCount(), 2);
  EXPECT_EQ(loaded.FindById(4)->parent, loaded.FindById(3).get());
  EXPECT_EQ(loaded.FindById(6)->ColumnCount(), 0);

  const auto before = original.Columns();
  const auto after = loaded.Columns();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    ExpectColumnsEqual(*after[i], *before[i]);
    EXPECT_EQ(after[i]->last_result.load(), 0);
    EXPECT_EQ(after[i]->update_state.load(), kUpdateIdle);
    for (const RecordRef& record : after[i]->channel.records) EXPECT_FALSE(record->is_new);
  }
  EXPECT_EQ(WriteColumnStore(loaded, StoreOptions{}).size(), bytes.size());
}

TEST(ColumnStoreTest, PasswordIsNotStoredPlain) {
  ColumnTree tree;
  tree.Append(testing::SampleColumn(1, 0));
  const std::string bytes = WriteColumnStore(tree, StoreOptions{});
  EXPECT_EQ(bytes.find("Secret-pass1"), std::string::npos);
  EXPECT_NE(bytes.find("user1"), std::string::npos);
}

TEST(ColumnStoreTest, CleanCopyLeavesOutRecordsValidatorsAndTimes) {
  ColumnTree original;
  original.Append(testing::SampleColumn(1, 50));
  StoreOptions clean;
  clean.save_columns_mode = true;
  ColumnTree loaded;
  ReadColumnStore(WriteColumnStore(original, clean), loaded, StoreOptions{});
  auto column = loaded.Columns().at(0);
  EXPECT_TRUE(column->channel.records.empty());
  EXPECT_EQ(column->etag, "");
  EXPECT_EQ(column->last_modified, "");
  EXPECT_EQ(column->last_update_time.load(), 0);
  EXPECT_EQ(column->last_news_time.load(), 0);
  EXPECT_EQ(column->login, "user1");
  EXPECT_EQ(column->password, "Secret-pass1");
  EXPECT_EQ(column->url, original.Columns()[0]->url);
  EXPECT_EQ(column->filters.size(), 2u);
  EXPECT_EQ(original.Columns()[0]->channel.records.size(), 50u) << "the tree itself is unchanged";
}

TEST(MemoriesStoreTest, RoundTripDropsDeletedRecords) {
  ColumnTree original;
  auto group = std::make_shared<ColumnGroup>("Kept");
  group->id = 1;
  auto memories = std::make_shared<MemoriesColumn>("Clippings");
  memories->id = 2;
  for (int n = 0; n < 6; ++n) memories->records.push_back(SampleRecord(n));  // n = 4 is deleted
  group->AddChild(memories);
  original.Append(group);
  original.Append(testing::SampleColumn(3, 1));  // a column is no memories node

  StoreOptions options;
  options.save_columns_mode = true;  // has no effect on memories
  ColumnTree loaded;
  ReadMemoriesStore(WriteMemoriesStore(original, options), loaded, StoreOptions{});
  EXPECT_EQ(memories->records.size(), 5u);
  EXPECT_EQ(Ids(loaded), (std::vector<int32_t>{1}));
  auto copies = loaded.MemoriesColumns();
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0]->name, "Clippings");
  ASSERT_EQ(copies[0]->records.size(), 5u);
  for (size_t i = 0; i < 5; ++i) ExpectRecordsEqual(*copies[0]->records[i], *memories->records[i]);
}

TEST(StoreFilesTest, SaveAndLoadInAFolder) {
  testing::TempDir folder;
  ColumnTree tree;
  FillColumnsTree(tree);
  ASSERT_TRUE(SaveColumnStore(tree, folder.path(), StoreOptions{}));
  ASSERT_TRUE(SaveMemoriesStore(tree, folder.path(), StoreOptions{}));
  for (const char* name : {kColumnStoreName, kMemoriesStoreName}) {
    struct stat info {};
    ASSERT_EQ(stat(folder.File(name).c_str(), &info), 0) << name;
    EXPECT_EQ(info.st_mode & 0777, 0600u) << name;
  }
  EXPECT_NE(access(folder.File(kColumnStoreTempName).c_str(), F_OK), 0);

  ColumnTree loaded;
  EXPECT_TRUE(LoadColumnStore(loaded, folder.path(), StoreOptions{}));
  EXPECT_EQ(loaded.Columns().size(), 3u);
  EXPECT_NE(access(folder.File("columns200.dat").c_str(), F_OK), 0) << "no copy of a current store";

  ColumnTree missing;
  testing::TempDir empty;
  EXPECT_FALSE(LoadColumnStore(missing, empty.path(), StoreOptions{}));
  EXPECT_FALSE(LoadMemoriesStore(missing, empty.path(), StoreOptions{}));
  EXPECT_TRUE(missing.nodes().empty());
}

TEST(StoreFilesTest, LargeStoreWrittenInPiecesEqualsTheMemoryForm) {
  // Blocks that begin in one written piece and end in a later one get their lengths mended
  // in the file.
  ColumnTree tree;
  FillColumnsTree(tree, 2);
  for (const auto& column : tree.Columns()) {
    for (const RecordRef& record : column->channel.records) {
      record->description.assign(kMaxStoredString, 'd');
    }
  }
  testing::TempDir folder;
  ASSERT_TRUE(SaveColumnStore(tree, folder.path(), StoreOptions{}));
  const std::string expected = WriteColumnStore(tree, StoreOptions{});
  ASSERT_GT(expected.size(), size_t{3} << 20);
  EXPECT_TRUE(testing::ReadFileBytes(folder.File(kColumnStoreName)) == expected);
  ColumnTree loaded;
  ASSERT_TRUE(LoadColumnStore(loaded, folder.path(), StoreOptions{}));
  ASSERT_EQ(loaded.Columns().size(), 3u);
  ExpectColumnsEqual(*loaded.Columns()[2], *tree.Columns()[2]);
}

TEST(StoreFilesTest, FileReadInPiecesReadsAsTheSameBytesInMemory) {
  // Texts of every size, so that fields, strings and block headers straddle the pieces.
  ColumnTree tree;
  FillColumnsTree(tree, 40);
  size_t length = 1;
  for (const auto& column : tree.Columns()) {
    for (const RecordRef& record : column->channel.records) {
      length = (length * 7919 + 104729) % (kMaxStoredString + 1);
      record->description.assign(length, 'd');
    }
  }
  const std::string whole = WriteColumnStore(tree, StoreOptions{});
  const size_t piece = StoreFileWindow::kCapacity;
  ASSERT_GT(whole.size(), 4 * piece);
  // A record title's length, past the third piece, made longer than any stored string.
  std::string bad_length = whole;
  const size_t title = whole.find("Title ", 3 * piece);
  ASSERT_NE(title, std::string::npos);
  bad_length.replace(title - 4, 4, "\xff\xff\xff\x7f");
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"whole", whole},
      {"cut in the second piece", whole.substr(0, piece + 3)},
      {"cut at a piece's end", whole.substr(0, 2 * piece)},
      {"cut before the last byte", whole.substr(0, whole.size() - 1)},
      {"damaged in the fourth piece", bad_length},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StoreReadReport expected;
    ColumnTree in_memory;
    ReadColumnStore(c.bytes, in_memory, StoreOptions{}, &expected);
    testing::TempDir folder;
    testing::WriteFileBytes(folder.File(kColumnStoreName), c.bytes);
    ColumnTree from_file;
    ASSERT_TRUE(LoadColumnStore(from_file, folder.path(), StoreOptions{}));
    EXPECT_TRUE(WriteColumnStore(from_file, StoreOptions{}) ==
                WriteColumnStore(in_memory, StoreOptions{}));
    const std::optional<StoreDamage> damage = StoreDamageAtLoad(folder.File(kColumnStoreName));
    ASSERT_EQ(damage.has_value(), expected.damaged);
    if (!damage) continue;
    EXPECT_EQ(damage->read.size, expected.size);
    EXPECT_EQ(damage->read.damage_offset, expected.damage_offset);
    EXPECT_EQ(damage->read.bytes_read, expected.bytes_read);
    EXPECT_EQ(damage->read.nodes_kept, expected.nodes_kept);
  }
}

TEST(StoreFilesTest, FileThatShrinksWhileReadGivesNothingPastItsEnd) {
  testing::TempDir folder;
  const std::string path = folder.File(kColumnStoreName);
  testing::WriteFileBytes(path, std::string(3 * StoreFileWindow::kCapacity, 'x'));
  StoreFileWindow file;
  ASSERT_TRUE(file.Open(path));
  EXPECT_EQ(file.Fetch(10, 4), "xxxx");
  ASSERT_EQ(truncate(path.c_str(), 100), 0);
  EXPECT_EQ(file.Fetch(2 * StoreFileWindow::kCapacity, 4), "");
  EXPECT_EQ(file.Fetch(96, 4), "xxxx");
  EXPECT_EQ(file.Fetch(98, 4), "");
  EXPECT_EQ(file.size(), 3 * StoreFileWindow::kCapacity) << "the size when opened";
}

// The files in `folder` whose names start with `prefix`.
std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(prefix)) names.push_back(name);
  }
  return names;
}

TEST(StoreFilesTest, DamagedStoreIsKeptBeforeTheFirstWrite) {
  ColumnTree sample;
  FillColumnsTree(sample);
  std::string flipped = WriteColumnStore(sample, StoreOptions{});
  flipped[31] = '\xff';
  const std::string random_bytes = "\x13\x9c\xfe\x01 random bytes \x7f\x80";
  using Load = bool (*)(ColumnTree&, const std::string&, const StoreOptions&);
  using Save = bool (*)(ColumnTree&, const std::string&, const StoreOptions&);
  const struct {
    const char* file;
    Load load;
    Save save;
  } stores[] = {{kColumnStoreName, LoadColumnStore, SaveColumnStore},
                {kMemoriesStoreName, LoadMemoriesStore, SaveMemoriesStore}};
  for (const auto& store : stores) {
    for (const std::string& damaged : {flipped, std::string(), random_bytes}) {
      SCOPED_TRACE(std::string(store.file) + " of " + std::to_string(damaged.size()) + " bytes");
      testing::TempDir folder;
      const std::string path = folder.File(store.file);
      testing::WriteFileBytes(path, damaged);
      ColumnTree tree;
      ASSERT_TRUE(store.load(tree, folder.path(), StoreOptions{}));
      const std::optional<StoreDamage> at_load = StoreDamageAtLoad(path);
      ASSERT_TRUE(at_load.has_value());
      EXPECT_EQ(at_load->read.size, damaged.size());
      EXPECT_TRUE(at_load->kept_copy.empty());
      EXPECT_NE(DescribeStoreDamage(*at_load).find(store.file), std::string::npos);

      tree.Append(std::make_shared<ColumnGroup>());
      ASSERT_TRUE(store.save(tree, folder.path(), StoreOptions{}));
      ASSERT_TRUE(store.save(tree, folder.path(), StoreOptions{}));
      const auto kept = FilesStartingWith(folder.path(), std::string(store.file) + ".damaged-");
      ASSERT_EQ(kept.size(), 1u) << "kept once, before the first write";
      EXPECT_TRUE(std::regex_match(kept[0], std::regex(".*\\.damaged-[0-9]{8}-[0-9]{6}")));
      EXPECT_TRUE(testing::ReadFileBytes(folder.File(kept[0])) == damaged);
      EXPECT_EQ(StoreDamageAtLoad(path)->kept_copy, folder.File(kept[0]));

      ColumnTree reloaded;
      ASSERT_TRUE(store.load(reloaded, folder.path(), StoreOptions{}));
      EXPECT_FALSE(StoreDamageAtLoad(path).has_value()) << "what was written reads whole";
    }
  }
}

TEST(StoreFilesTest, FailedWriteLeavesTheOldFile) {
  testing::TempDir folder;
  testing::WriteFileBytes(folder.File(kColumnStoreName), "old store");
  ColumnTree tree;
  FillColumnsTree(tree);
  // A temporary file that cannot take the data, as on a full disk.
  ASSERT_EQ(symlink("/dev/full", folder.File(kColumnStoreTempName).c_str()), 0);
  EXPECT_FALSE(SaveColumnStore(tree, folder.path(), StoreOptions{}));
  EXPECT_EQ(ReadAtMost(folder.File(kColumnStoreName), 64), "old store");
  EXPECT_NE(access(folder.File(kColumnStoreTempName).c_str(), F_OK), 0);

  EXPECT_FALSE(SaveColumnStore(tree, folder.File("no-such-folder"), StoreOptions{}));
}

}  // namespace
}  // namespace tarsel
