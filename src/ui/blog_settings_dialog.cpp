#include "ui/blog_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "services/blog_posting.h"
#include "services/blog_settings_check.h"
#include "ui/qt_text.h"
#include "ui/translate_widgets.h"
#include "view/blog_strings.h"
#include "view/dialog_ids.h"

namespace tarsel::ui {

namespace {

QLineEdit* Field(QWidget* parent, const char* name, int label, const std::string& value) {
  auto* field = new QLineEdit(ToQt(value), parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setAccessibleName(Text(label));
  return field;
}

}  // namespace

BlogSettingsDialog::BlogSettingsDialog(const BlogSettings& blog, QWidget* parent)
    : QDialog(parent), blog_(blog) {
  setObjectName(QStringLiteral("BlogSettingsDialog"));
  setWindowTitle(Text(text::kBlogSettingsCaption));
  setAccessibleName(windowTitle());

  built_in_ =
      WithControlId(new QRadioButton(Text(text::kBlogToolBuiltIn), this), text::kBlogToolBuiltIn);
  built_in_->setObjectName(QStringLiteral("BlogToolBuiltIn"));
  built_in_->setAccessibleName(built_in_->text());
  bloggar_ =
      WithControlId(new QRadioButton(Text(text::kBlogToolBloggar), this), text::kBlogToolBloggar);
  bloggar_->setObjectName(QStringLiteral("BlogToolBloggar"));
  bloggar_->setAccessibleName(bloggar_->text());
  (blog.tool == kBlogToolBloggar ? bloggar_ : built_in_)->setChecked(true);

  service_ = new QComboBox(this);
  service_->setObjectName(QStringLiteral("BlogService"));
  service_->setAccessibleName(Text(text::kBlogService));
  for (const char* name : {kBlogServiceBlogger, kBlogServiceLiveJournal, kBlogServiceMovableType}) {
    service_->addItem(QString::fromLatin1(name));
  }
  service_->setCurrentIndex(service_->findText(ToQt(blog.service)));
  host_ = Field(this, "BlogHost", text::kBlogHost, blog.host);
  page_ = Field(this, "BlogPage", text::kBlogPage, blog.page);
  user_ = Field(this, "BlogAccountName", text::kBlogAccountName, blog.user);
  password_ = Field(this, "BlogAccountPassword", text::kBlogAccountPassword, blog.password);
  password_->setEchoMode(QLineEdit::Password);
  connect(service_, &QComboBox::currentIndexChanged, this, &BlogSettingsDialog::OnServiceChosen);

  auto* form = new QFormLayout;
  form->addRow(IdLabel(text::kBlogTool), built_in_);
  form->addRow(QString(), bloggar_);
  form->addRow(IdLabel(text::kBlogService), service_);
  form->addRow(IdLabel(text::kBlogHost), host_);
  form->addRow(IdLabel(text::kBlogPage), page_);
  form->addRow(IdLabel(text::kBlogAccountName), user_);
  form->addRow(IdLabel(text::kBlogAccountPassword), password_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("BlogSettingsButtons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  TranslateDialog(this, dialog::kBlogSettings);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  const bool livejournal = blog.service == kBlogServiceLiveJournal;
  host_->setEnabled(!livejournal);
  page_->setEnabled(!livejournal);
}

void BlogSettingsDialog::OnServiceChosen() {
  const std::string service = FromQt(service_->currentText());
  std::string host = FromQt(host_->text());
  std::string page = FromQt(page_->text());
  ApplyServiceDefaults(service, host, page);
  host_->setText(ToQt(host));
  page_->setText(ToQt(page));
  const bool livejournal = service == kBlogServiceLiveJournal;
  host_->setEnabled(!livejournal);
  page_->setEnabled(!livejournal);
}

void BlogSettingsDialog::accept() {
  BlogSettingsInput input;
  input.external_tool = bloggar_->isChecked();
  input.service = service_->currentIndex() < 0 ? std::string() : FromQt(service_->currentText());
  input.host = FromQt(host_->text());
  input.page = FromQt(page_->text());
  input.user = FromQt(user_->text());
  input.password = FromQt(password_->text());
  if (const auto message = ApplyBlogSettingsInput(input, blog_)) {
    QMessageBox::warning(this, windowTitle(), ToQt(*message));
    return;
  }
  QDialog::accept();
}

}  // namespace tarsel::ui
