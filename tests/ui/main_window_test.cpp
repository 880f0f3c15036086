#include <gtest/gtest.h>

#include <QApplication>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "ui/main_window.h"

namespace {

TEST(MainWindowTest, TitleAndRecordPaneWithoutScript) {
  tarsel::ui::MainWindow window;
  window.show();
  EXPECT_EQ(window.windowTitle().toStdString(), "Tarsel 2.0 build 158");
  ASSERT_NE(window.record_pane(), nullptr);
  EXPECT_FALSE(
      window.record_pane()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
}

}  // namespace

// The application object must outlive every widget and go before the web engine's statics.
int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
