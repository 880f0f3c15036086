#pragma once

// The object the theme page's script reaches as `external` over the web channel. Its one
// method, OnInitialize, is how the page tells the program it has loaded. Main thread only.

#include <QObject>

namespace tarsel::ui {

class RecordPaneHost : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  Q_INVOKABLE void OnInitialize();

 signals:
  void Initialized();
};

}  // namespace tarsel::ui
