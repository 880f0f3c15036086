#include "ui/main_window.h"

#include <QString>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "app/product_version.h"

namespace tarsel::ui {

// The default rectangle before any saved placement applies: left 125, top 80, right 888,
// bottom 671.
constexpr int kDefaultLeft = 125;
constexpr int kDefaultTop = 80;
constexpr int kDefaultWidth = 888 - 125;
constexpr int kDefaultHeight = 671 - 80;

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString("%1 %2").arg(kProductName, kProductVersion));
  setGeometry(kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight);

  record_pane_ = new QWebEngineView(this);
  // Feed HTML is shown, never run: no script in the record pane.
  QWebEngineSettings* settings = record_pane_->settings();
  settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  setCentralWidget(record_pane_);
}

}  // namespace tarsel::ui
