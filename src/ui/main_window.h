#pragma once

// The desktop program's main window. Main thread only.

#include <QMainWindow>

class QWebEngineView;

namespace tarsel::ui {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  // The pane that renders the selected record.
  QWebEngineView* record_pane() const { return record_pane_; }

 private:
  QWebEngineView* record_pane_ = nullptr;
};

}  // namespace tarsel::ui
