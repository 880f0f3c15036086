// The desktop program as a process: a second copy, and /SaveColumns writing the clean copy.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QProcess>

#include "app/program_data.h"
#include "platform/instance_lock.h"
#include "store/column.h"
#include "store/store_files.h"
#include "support/temp_dir.h"

namespace tarsel {
namespace {

class ProgramRunTest : public ::testing::Test {
 protected:
  int RunTarsel(const QStringList& arguments) {
    QProcess program;
    program.setProgram(QStringLiteral(TARSEL_GUI));
    program.setArguments(arguments);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start();
    if (!program.waitForFinished(120000)) {
      program.kill();
      return -1;
    }
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
  }

  std::string Folder() const { return home_.path() + "/Tarsel"; }

  testing::TempDir home_;
  testing::ScopedEnv data_home_{"XDG_DATA_HOME", home_.path()};
  testing::ScopedEnv config_home_{"XDG_CONFIG_HOME", home_.path() + "/config"};
};

TEST_F(ProgramRunTest, ASecondCopyEndsAtOnceWithZero) {
  InstanceLock first;
  ASSERT_TRUE(first.TryAcquire(Folder()));
  EXPECT_EQ(RunTarsel({}), 0);
  struct stat info {};
  EXPECT_NE(stat((Folder() + "/settings.xml").c_str(), &info), 0) << "it changed nothing";
}

TEST_F(ProgramRunTest, SaveColumnsWritesTheCleanCopyAndCloses) {
  ProgramData seed;
  seed.data_folder = Folder();
  mkdir(seed.data_folder.c_str(), 0700);
  auto column = std::make_shared<Column>();
  column->id = 1;
  column->name = "Kept";
  column->url = "http://127.0.0.1:9/kept.xml";
  column->login = "user";
  column->password = "secret";
  column->etag = "\"v7\"";
  column->last_modified = "Tue, 05 Mar 2024 13:05:09 GMT";
  column->last_update_time = 1700000000;
  column->last_news_time = 1700000000;
  column->channel.records.push_back(std::make_shared<Record>());
  seed.columns.Append(column);
  ASSERT_TRUE(SaveColumns(seed));

  EXPECT_EQ(RunTarsel({QStringLiteral("/savecolumns")}), 0);

  ColumnTree tree;
  ASSERT_TRUE(LoadColumnStore(tree, Folder(), StoreOptions()));
  ASSERT_EQ(tree.Columns().size(), 1u);
  const auto& saved = *tree.Columns()[0];
  EXPECT_EQ(saved.name, "Kept");
  EXPECT_EQ(saved.login, "user");
  EXPECT_EQ(saved.password, "secret");
  EXPECT_TRUE(saved.channel.records.empty());
  EXPECT_EQ(saved.etag, "");
  EXPECT_EQ(saved.last_modified, "");
  EXPECT_EQ(saved.last_update_time.load(), 0);
  EXPECT_EQ(saved.last_news_time.load(), 0);
  struct stat info {};
  EXPECT_EQ(stat((Folder() + "/settings.xml").c_str(), &info), 0);
  EXPECT_EQ(stat((Folder() + "/memories.dat").c_str(), &info), 0);
}

}  // namespace
}  // namespace tarsel
