#pragma once

// The Blog Settings dialog: the blogging tool, the service, the API server (Host and Page) and
// the account. OK runs the checks of ApplyBlogSettingsInput and stays open with its message
// until they pass. Main thread only.

#include <QDialog>

#include "settings/settings.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tarsel::ui {

class BlogSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  BlogSettingsDialog(const BlogSettings& blog, QWidget* parent = nullptr);

  // The settings as OK left them (valid after exec() returned Accepted).
  const BlogSettings& Result() const { return blog_; }

  void accept() override;

 private:
  void OnServiceChosen();

  BlogSettings blog_;
  QRadioButton* built_in_ = nullptr;
  QRadioButton* bloggar_ = nullptr;
  QComboBox* service_ = nullptr;
  QLineEdit* host_ = nullptr;
  QLineEdit* page_ = nullptr;
  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
};

}  // namespace tarsel::ui
