#include "ui/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/help.h"
#include "app/startup_shortcut.h"
#include "ui/dialog_widgets.h"
#include "ui/qt_text.h"
#include "ui/settings_owner.h"
#include "ui/translate_widgets.h"
#include "view/dialog_ids.h"
#include "view/dialog_text_ids.h"

namespace tarsel::ui {

namespace {

QCheckBox* NewCheck(int text_id, const char* object_name, bool checked) {
  auto* box =
      Named(WithControlId(new QCheckBox(Text(text_id)), text_id), object_name, Text(text_id));
  box->setChecked(checked);
  return box;
}

// A number field with an up-down control. The range is the one the core keeps the value in, so
// what the field shows is what is stored.
QSpinBox* NewNumber(const char* object_name, int label_id, const std::string& text, int minimum,
                    int maximum) {
  auto* box = Named(new QSpinBox, object_name, Text(label_id));
  box->setRange(minimum, maximum);
  box->setValue(ReadNumberField(text, minimum, maximum));
  return box;
}

std::string NumberText(const QSpinBox* box) {
  return std::to_string(box->value());
}

}  // namespace

SettingsDialog::SettingsDialog(const SettingsPages& pages, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SettingsDialog"));
  setWindowTitle(Text(kTextProgramSettings));
  setAccessibleName(Text(kTextProgramSettings));
  tabs_ = Named(new QTabWidget, "settingsPages", Text(kTextProgramSettings));
  // A translation's caption of a page is its tab title.
  const auto add_page = [this](QWidget* page, int title_id) {
    tabs_->addTab(page, page->windowTitle().isEmpty() ? Text(title_id) : page->windowTitle());
  };
  add_page(NewGeneralPage(pages.general), kTextGeneral);
  add_page(NewInterfacePage(pages.interface_page), kTextPageInterface);
  add_page(NewFontPage(pages.font), kTextPageFont);
  add_page(NewColumnsPage(pages.columns), kTextPageColumns);
  add_page(NewBlogPage(pages.blog), kTextPageBlog);
  add_page(NewProxyPage(pages.proxy), kTextPageProxy);
  add_page(NewMailPage(pages.mail), kTextPageMail);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                       QDialogButtonBox::Help);
  buttons->setObjectName(QStringLiteral("dialogButtons"));
  buttons->button(QDialogButtonBox::Help)->setObjectName(QStringLiteral("helpButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this,
          [] { ShowHelpTopic(kHelpTopicSettings); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
  TranslateDialog(this, dialog::kSettingsWindow);
  // Wide enough that all seven tabs show without scroll arrows.
  setMinimumWidth(560);
}

QWidget* SettingsDialog::NewGeneralPage(const GeneralPage& page) {
  auto* widget = Named(new QWidget, "generalPage", Text(kTextGeneral));
  launch_ = NewCheck(kTextLaunchAtStartup, "launchAtStartup", page.launch_at_startup);
  minimize_on_close_ = NewCheck(kTextMinimizeOnClose, "minimizeOnClose", page.minimize_on_close);
  minimize_on_start_ = NewCheck(kTextMinimizeOnStart, "minimizeOnStart", page.minimize_on_start);
  external_browser_ =
      NewCheck(kTextUseExternalBrowser, "useExternalBrowser", page.external_browser);
  encoding_ = Named(new QComboBox, "encoding", Text(kTextEncoding));
  for (int id : {kTextAutomatic, kTextWesternEurope, kTextCyrillicWindows, kTextCentralEuropean})
    encoding_->addItem(Text(id));
  encoding_->setCurrentIndex(page.encoding_position);
  mark_read_ = NewCheck(kTextMarkColumnReadAfter, "markColumnRead", page.mark_read);
  mark_read_seconds_ =
      NewNumber("markReadSeconds", kTextSeconds, page.mark_read_seconds, 0, kMaxMarkReadSeconds);
  auto* mark_row = new QHBoxLayout;
  mark_row->addWidget(mark_read_);
  mark_row->addWidget(mark_read_seconds_);
  mark_row->addWidget(WithControlId(new QLabel(Text(kTextSeconds)), kTextSeconds));
  mark_row->addStretch();
  auto* silence = Named(WithControlId(new QGroupBox(Text(kTextSilenceMode)), kTextSilenceMode),
                        "silenceMode", Text(kTextSilenceMode));
  disable_sounds_ = NewCheck(kTextDisableSounds, "disableSounds", page.disable_sounds);
  disable_popups_ = NewCheck(kTextDisablePopups, "disablePopups", page.disable_popups);
  auto* silence_layout = new QVBoxLayout(silence);
  silence_layout->addWidget(disable_sounds_);
  silence_layout->addWidget(disable_popups_);
  auto* form = new QFormLayout(widget);
  for (QWidget* check : {launch_, minimize_on_close_, minimize_on_start_, external_browser_})
    form->addRow(check);
  form->addRow(IdLabel(kTextEncoding), encoding_);
  form->addRow(mark_row);
  form->addRow(silence);
  TranslateDialog(widget, dialog::kSettingsGeneral);
  return widget;
}

QWidget* SettingsDialog::NewInterfacePage(const InterfacePage& page) {
  auto* widget = Named(new QWidget, "interfacePage", Text(kTextPageInterface));
  show_descriptions_ = NewCheck(kTextShowDescriptions, "showDescriptions", page.show_descriptions);
  limit_symbols_ = NewCheck(kTextLimitSymbols, "limitSymbols", page.limit_symbols);
  symbols_ = NewNumber("symbols", kTextLimitSymbols, page.symbols, 0, kMaxDescriptionSymbols);
  limit_rows_ = NewCheck(kTextLimitLines, "limitLines", page.limit_rows);
  rows_ = NewNumber("lines", kTextLimitLines, page.rows, 0, kMaxDescriptionRows);
  unread_first_ = NewCheck(kTextUnreadFirst, "unreadFirst", page.unread_first);
  auto* categories =
      Named(WithControlId(new QGroupBox(Text(kTextItemsInCategories)), kTextItemsInCategories),
            "itemsInCategories", Text(kTextItemsInCategories));
  auto* categories_layout = new QVBoxLayout(categories);
  const int group_ids[3] = {kTextShowAllItems, kTextShowUnreadItems, kTextShowNoItems};
  const char* group_names[3] = {"showAllItems", "showUnreadItems", "showNoItems"};
  for (int i = 0; i < 3; ++i) {
    group_items_[i] = Named(WithControlId(new QRadioButton(Text(group_ids[i])), group_ids[i]),
                            group_names[i], Text(group_ids[i]));
    group_items_[i]->setChecked(page.group_items == i);
    categories_layout->addWidget(group_items_[i]);
  }
  sort_columns_ = NewCheck(kTextSortColumns, "sortColumns", page.sort_columns);
  auto* form = new QFormLayout(widget);
  form->addRow(show_descriptions_);
  form->addRow(limit_symbols_, symbols_);
  form->addRow(limit_rows_, rows_);
  form->addRow(unread_first_);
  form->addRow(categories);
  form->addRow(sort_columns_);
  TranslateDialog(widget, dialog::kSettingsInterface);
  return widget;
}

QWidget* SettingsDialog::NewFontPage(const FontPage& page) {
  initial_fonts_ = page;
  auto* widget = Named(new QWidget, "fontPage", Text(kTextPageFont));
  items_font_ = Named(new QFontComboBox, "itemsFont", Text(kTextItemsFont));
  items_font_->setCurrentFont(QFont(ToQt(page.items_font)));
  items_size_ = NewNumber("itemsFontSize", kTextSize, page.items_size, kMinFontSize, kMaxFontSize);
  description_font_ = Named(new QFontComboBox, "descriptionFont", Text(kTextDescriptionFont));
  description_font_->setCurrentFont(QFont(ToQt(page.description_font)));
  description_size_ = NewNumber("descriptionFontSize", kTextSize, page.description_size,
                                kMinFontSize, kMaxFontSize);
  // A face the machine lacks shows as some other entry: only a face the user picks is stored.
  connect(items_font_, &QComboBox::activated, this, [this] { items_font_chosen_ = true; });
  connect(description_font_, &QComboBox::activated, this,
          [this] { description_font_chosen_ = true; });
  auto* form = new QFormLayout(widget);
  form->addRow(IdLabel(kTextItemsFont), items_font_);
  form->addRow(IdLabel(kTextSize), items_size_);
  form->addRow(IdLabel(kTextDescriptionFont), description_font_);
  form->addRow(IdLabel(kTextSize), description_size_);
  TranslateDialog(widget, dialog::kSettingsFont);
  return widget;
}

GeneralPage SettingsDialog::ReadGeneralPage() const {
  GeneralPage page;
  page.launch_at_startup = launch_->isChecked();
  page.minimize_on_close = minimize_on_close_->isChecked();
  page.minimize_on_start = minimize_on_start_->isChecked();
  page.external_browser = external_browser_->isChecked();
  page.encoding_position = encoding_->currentIndex();
  page.mark_read = mark_read_->isChecked();
  page.mark_read_seconds = NumberText(mark_read_seconds_);
  page.disable_sounds = disable_sounds_->isChecked();
  page.disable_popups = disable_popups_->isChecked();
  return page;
}

InterfacePage SettingsDialog::ReadInterfacePage() const {
  InterfacePage page;
  page.show_descriptions = show_descriptions_->isChecked();
  page.limit_symbols = limit_symbols_->isChecked();
  page.symbols = NumberText(symbols_);
  page.limit_rows = limit_rows_->isChecked();
  page.rows = NumberText(rows_);
  page.unread_first = unread_first_->isChecked();
  page.group_items = -1;
  for (int i = 0; i < 3; ++i) {
    if (group_items_[i]->isChecked()) page.group_items = i;
  }
  page.sort_columns = sort_columns_->isChecked();
  return page;
}

FontPage SettingsDialog::ReadFontPage() const {
  FontPage page;
  page.items_font = items_font_chosen_ ? FromQt(items_font_->currentFont().family()) : "";
  page.items_size = NumberText(items_size_);
  page.description_font =
      description_font_chosen_ ? FromQt(description_font_->currentFont().family()) : "";
  page.description_size = NumberText(description_size_);
  return page;
}

SettingsPages SettingsDialog::Pages() const {
  return {ReadGeneralPage(),
          ReadInterfacePage(),
          ReadFontPage(),
          {interval_->Controls(), archive_->Controls()},
          ReadBlogPage(),
          ReadProxyPage(),
          {FromQt(smtp_server_->text()), FromQt(own_mail_->text())}};
}

bool RunSettingsDialog(QWidget* parent, SettingsOwner& settings) {
  SettingsDialog dialog(SettingsPages::FromSettings(settings.Get()), parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  // Only what the pages show is written: the records list's header entries and the window's
  // state stay as the live settings have them.
  const SettingsPages pages = dialog.Pages();
  settings.Change([&pages](Settings& live) { pages.ApplyTo(live); });
  UpdateStartupShortcut(settings.Get().launch_on_startup, CurrentExecutable());
  return true;
}

}  // namespace tarsel::ui
