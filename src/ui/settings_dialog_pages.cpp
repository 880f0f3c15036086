// The Columns, Blog, Proxy and Mail pages of the settings window.
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialog_widgets.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"
#include "ui/translate_widgets.h"
#include "view/dialog_ids.h"
#include "view/dialog_text_ids.h"

namespace tarsel::ui {

namespace {

QLineEdit* NewEdit(const std::string& text, const char* object_name, int label_id) {
  return Named(new QLineEdit(ToQt(text)), object_name, Text(label_id));
}

}  // namespace

QWidget* SettingsDialog::NewColumnsPage(const ColumnsPage& page) {
  auto* widget = Named(new QWidget, "columnsPage", Text(kTextPageColumns));
  interval_ = new IntervalBox;
  interval_->SetControls(page.interval);
  archive_ = new ArchiveBox;
  archive_->SetControls(page.archive);
  auto* layout = new QVBoxLayout(widget);
  layout->addWidget(interval_);
  layout->addWidget(archive_);
  layout->addStretch();
  TranslateDialog(widget, dialog::kSettingsColumns);
  return widget;
}

QWidget* SettingsDialog::NewBlogPage(const BlogPage& page) {
  auto* widget = Named(new QWidget, "blogPage", Text(kTextPageBlog));
  blog_tool_ = Named(new QComboBox, "bloggingTool", Text(kTextBloggingTool));
  blog_tool_->addItems({Text(kTextBuildIn), Text(kTextWBloggar)});
  blog_tool_->setCurrentIndex(page.tool_position);
  blog_service_ = Named(new QComboBox, "blogService", Text(kTextBlogService));
  blog_service_->addItems({Text(kTextBlogger), Text(kTextLiveJournal), Text(kTextMovableType)});
  blog_service_->setCurrentIndex(page.service_position);
  blog_account_ = NewEdit(page.account, "accountName", kTextAccountName);
  blog_password_ = NewPasswordEdit("accountPassword", Text(kTextAccountPassword));
  blog_password_->setText(ToQt(page.password));
  blog_host_ = NewEdit(page.host, "apiHost", kTextHost);
  blog_page_ = NewEdit(page.page, "apiPage", kTextPage);
  auto* server = Named(WithControlId(new QGroupBox(Text(kTextApiServer)), kTextApiServer),
                       "apiServer", Text(kTextApiServer));
  auto* server_form = new QFormLayout(server);
  server_form->addRow(IdLabel(kTextHost), blog_host_);
  server_form->addRow(IdLabel(kTextPage), blog_page_);
  auto* form = new QFormLayout(widget);
  form->addRow(IdLabel(kTextBloggingTool), blog_tool_);
  form->addRow(IdLabel(kTextBlogService), blog_service_);
  form->addRow(IdLabel(kTextAccountName), blog_account_);
  form->addRow(IdLabel(kTextAccountPassword), blog_password_);
  form->addRow(server);
  TranslateDialog(widget, dialog::kSettingsBlog);
  return widget;
}

QWidget* SettingsDialog::NewProxyPage(const ProxyPage& page) {
  auto* widget = Named(new QWidget, "proxyPage", Text(kTextPageProxy));
  const int type_ids[3] = {kTextNoProxy, kTextProxyFromSystem, kTextProxyGiven};
  const char* type_names[3] = {"noProxy", "proxyFromSystem", "proxyGiven"};
  auto* types = new QButtonGroup(widget);
  auto* form = new QFormLayout(widget);
  for (int i = 0; i < 3; ++i) {
    proxy_types_[i] = Named(WithControlId(new QRadioButton(Text(type_ids[i])), type_ids[i]),
                            type_names[i], Text(type_ids[i]));
    proxy_types_[i]->setChecked(page.type == i);
    types->addButton(proxy_types_[i]);
    form->addRow(proxy_types_[i]);
  }
  proxy_server_ = NewEdit(page.server, "proxyServer", kTextServer);
  proxy_port_ = NewEdit(page.port, "proxyPort", kTextPort);
  proxy_user_ = NewEdit(page.username, "proxyUserName", kTextUserName);
  proxy_password_ = NewPasswordEdit("proxyPassword", Text(kTextPassword));
  proxy_password_->setText(ToQt(page.password));
  form->addRow(IdLabel(kTextServer), proxy_server_);
  form->addRow(IdLabel(kTextPort), proxy_port_);
  form->addRow(IdLabel(kTextUserName), proxy_user_);
  form->addRow(IdLabel(kTextPassword), proxy_password_);
  connect(types, &QButtonGroup::buttonToggled, this, [this] { UpdateProxyFields(); });
  UpdateProxyFields();
  TranslateDialog(widget, dialog::kSettingsProxy);
  return widget;
}

void SettingsDialog::UpdateProxyFields() {
  const bool given = proxy_types_[2]->isChecked();
  for (QLineEdit* edit : {proxy_server_, proxy_port_, proxy_user_, proxy_password_})
    edit->setEnabled(given);
}

QWidget* SettingsDialog::NewMailPage(const MailPage& page) {
  auto* widget = Named(new QWidget, "mailPage", Text(kTextPageMail));
  smtp_server_ = NewEdit(page.smtp_server, "smtpServer", kTextSmtpServer);
  own_mail_ = NewEdit(page.mail, "ownEmail", kTextOwnEmail);
  auto* form = new QFormLayout(widget);
  form->addRow(IdLabel(kTextSmtpServer), smtp_server_);
  form->addRow(IdLabel(kTextOwnEmail), own_mail_);
  TranslateDialog(widget, dialog::kSettingsMail);
  return widget;
}

BlogPage SettingsDialog::ReadBlogPage() const {
  return {blog_tool_->currentIndex(),    blog_service_->currentIndex(),
          FromQt(blog_account_->text()), FromQt(blog_password_->text()),
          FromQt(blog_host_->text()),    FromQt(blog_page_->text())};
}

ProxyPage SettingsDialog::ReadProxyPage() const {
  ProxyPage page;
  for (int i = 0; i < 3; ++i) {
    if (proxy_types_[i]->isChecked()) page.type = i;
  }
  page.server = FromQt(proxy_server_->text());
  page.port = FromQt(proxy_port_->text());
  page.username = FromQt(proxy_user_->text());
  page.password = FromQt(proxy_password_->text());
  return page;
}

}  // namespace tarsel::ui
