#pragma once

// The About box: the program's name and version over characters falling on a timer (the
// subscribed columns' titles spelled among them). Main thread only.

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "view/character_rain.h"

namespace tarsel::ui {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  AboutBox(std::vector<std::string> words, QWidget* parent = nullptr);
};

// The animation itself.
class RainWidget : public QWidget {
  Q_OBJECT

 public:
  RainWidget(std::vector<std::string> words, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<CharacterRain> rain_;
};

}  // namespace tarsel::ui
