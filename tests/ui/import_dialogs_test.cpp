#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <thread>

#include "settings/settings.h"
#include "support/fixture_server.h"
#include "support/temp_dir.h"
#include "ui/download_dialog.h"
#include "ui/import_feeds_dialog.h"
#include "ui/modal_helper.h"

namespace tarsel::ui {
namespace {

using tarsel::testing::AnswerMessageBox;
using tarsel::testing::WhenModal;

FoundFeedTree ManyFeeds(int count) {
  FoundFeedTree tree{"imported columns", {}, {}};
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    const std::string site =
        (i % 10 == 0) ? "http://blog" + n + ".example/" : "http://site" + n + "/";
    tree.feeds.push_back({site, site + "rss", "about " + n, "Feed " + n});
  }
  return tree;
}

TEST(ImportFeedsDialogTest, FiltersChecksAndChoosesAmongManyEntries) {
  ImportFeedsDialog dialog(ManyFeeds(50000));
  FoundFeedsModel* model = dialog.model();
  EXPECT_EQ(model->rowCount(), 50000);
  EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Item Content");
  EXPECT_EQ(model->data(model->index(0, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);

  // "No Filter" over the unfiltered list keeps the boxes the user ticked.
  model->setData(model->index(3, 0), Qt::Checked, Qt::CheckStateRole);
  dialog.ApplyFilter();
  EXPECT_EQ(model->Checked().size(), 1u);

  dialog.findChild<QComboBox*>("filterField")->setCurrentIndex(2);  // URL
  dialog.findChild<QLineEdit*>("filterString")->setText("blog");
  dialog.findChild<QPushButton*>("filterButton")->click();
  EXPECT_EQ(model->rowCount(), 5000);
  dialog.findChild<QPushButton*>("selectAll")->click();
  const FoundFeedList chosen = dialog.Chosen();
  ASSERT_EQ(chosen.size(), 5000u);
  EXPECT_EQ(chosen[1].site_url, "http://blog10.example/");
  dialog.findChild<QPushButton*>("deselectAll")->click();
  EXPECT_TRUE(dialog.Chosen().empty());
}

TEST(ImportFeedsDialogTest, ChosenFeedsBecomeColumnsExceptDuplicates) {
  ColumnTree tree;
  auto existing = std::make_shared<Column>();
  existing->id = 1;
  existing->url = "http://site1/rss";
  tree.Append(existing);
  WhenModal([](QWidget* dialog) {
    dialog->findChild<QPushButton*>("selectAll")->click();
    // The duplicate's message comes up after OK.
    AnswerMessageBox(QMessageBox::Ok, nullptr, dialog);
    qobject_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(ImportFoundFeeds(nullptr, tree, ManyFeeds(3), NewColumnDefaults{}), 2);
  EXPECT_EQ(tree.Columns().size(), 3u);
  EXPECT_EQ(tree.FindColumnByUrl("http://blog0.example/rss")->name, "New RSS Column");
}

class DownloadDialogTest : public ::testing::Test {
 protected:
  DownloadDialogTest() : saved_(*CurrentSettings()) {
    Settings settings = saved_;
    settings.proxy = {ProxyType::kNone, "", 0, "", ""};
    SetCurrentSettings(settings);
  }
  ~DownloadDialogTest() override { SetCurrentSettings(saved_); }
  static bool Online() { return true; }

  Settings saved_;
  tarsel::testing::TempDir folder_;
  tarsel::testing::FixtureServer server_;
};

TEST_F(DownloadDialogTest, DownloadsTheFile) {
  auto list = server_.Serve("/list", {200, "<opml/>", "text/xml"});
  const std::string path = folder_.File("Feeds/list");
  EXPECT_TRUE(DownloadListFile(nullptr, server_.Url("/list"), path, Online));
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(DownloadDialogTest, FailureNamesTheAddress) {
  auto gone = server_.Serve("/gone", {404, "no"});
  QString message;
  AnswerMessageBox(QMessageBox::Ok, &message);
  EXPECT_FALSE(DownloadListFile(nullptr, server_.Url("/gone"), folder_.File("x"), Online));
  EXPECT_EQ(message.toStdString(),
            "An Error occured while downloading form" + server_.Url("/gone"));
}

TEST_F(DownloadDialogTest, CancelReturnsAtOnceWithoutAMessage) {
  // Announces more than it sends, then stays silent: only Cancel ends it.
  tarsel::testing::RawFixtureServer stalled(
      "HTTP/1.1 200 OK\r\nContent-Length: 10000\r\n\r\n" + std::string(5000, 'y'), true);
  QString status;
  WhenModal([&status](QWidget* dialog) {
    auto* download = qobject_cast<DownloadDialog*>(dialog);
    // Wait for the first bytes to show, then cancel.
    auto* poll = new QTimer(dialog);
    QObject::connect(poll, &QTimer::timeout, dialog, [download, &status, poll] {
      if (!download->StatusText().contains("40 %")) return;
      status = download->StatusText();
      poll->stop();
      download->reject();
    });
    poll->start(10);
  });
  EXPECT_FALSE(DownloadListFile(nullptr, stalled.Url("/list"), folder_.File("y"), Online));
  EXPECT_EQ(status, "Downloading file... 40 % of 10000 complete");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no failure message after Cancel";
  EXPECT_FALSE(std::filesystem::exists(folder_.File("y")));
}

}  // namespace
}  // namespace tarsel::ui
