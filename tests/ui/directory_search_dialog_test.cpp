#include "ui/directory_search_dialog.h"

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "net/http/client_test_support.h"
#include "support/fixture_server.h"

namespace tarsel::ui {
namespace {

// Cancel while the directory never answers: the dialog closes at once, and once it is gone its
// worker has ended too (joined, not left running past the dialog or the program).
TEST(DirectorySearchDialogTest, ClosingCancelsAndJoinsTheWorkerOfASilentDirectory) {
  HTTP::testing::ScopedProxy no_proxy;
  tarsel::testing::RawFixtureServer silent("", /*hold_open=*/true);
  // The worker holds a copy of the connection test; the copy goes when the worker does.
  auto worker_token = std::make_shared<int>(0);
  const std::weak_ptr<int> worker_alive = worker_token;
  {
    DirectorySearchDialog dialog;
    dialog.SetEndpoint(silent.Url("/xmlrpc.php"));
    dialog.SetConnectionTest([token = std::move(worker_token)] { return token != nullptr; });
    dialog.show();
    dialog.Find();
    ASSERT_TRUE(QTest::qWaitFor([&silent] { return silent.Hits() == 1; }, 10000));
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
  }
  EXPECT_TRUE(worker_alive.expired()) << "the search outlived its dialog";
}

}  // namespace
}  // namespace tarsel::ui
