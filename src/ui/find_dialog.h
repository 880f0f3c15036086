#pragma once

// The modeless Find dialog of the browser panes: a text of at most 128 characters, "Match whole
// word only" and "Match case". "Find Next" hands the search to whoever listens (the tab area,
// which searches the active pane); the dialog stays open until closed. Main thread only.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarsel::ui {

class FindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindDialog(QWidget* parent = nullptr);

  QString FindText() const;
  bool MatchCase() const;
  bool WholeWord() const;
  // Fills the dialog from the last search, as it opens.
  void SetSearch(const QString& text, bool match_case, bool whole_word);

 signals:
  void FindNextRequested(const QString& text, bool match_case, bool whole_word);

 private:
  QLineEdit* text_ = nullptr;
  QCheckBox* whole_word_ = nullptr;
  QCheckBox* match_case_ = nullptr;
  QPushButton* find_next_ = nullptr;
};

}  // namespace tarsel::ui
