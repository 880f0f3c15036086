#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Qt wants one application object for the whole test program.
QApplication& Application() {
  static int argc = 1;
  static char name[] = "test_ui";
  static char* argv[] = {name, nullptr};
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  static QApplication application(argc, argv);
  return application;
}

TEST(MainWindowTest, TitleAndRecordPaneWithoutScript) {
  Application();
  tarsel::ui::MainWindow window;
  window.show();
  EXPECT_EQ(window.windowTitle().toStdString(), "Tarsel 2.0 build 158");
  ASSERT_NE(window.record_pane(), nullptr);
  EXPECT_FALSE(
      window.record_pane()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
}

}  // namespace
