#pragma once

// The settings window "Programm Settings" with its pages General, Interface, Font, Columns, Blog,
// Proxy and Mail. The pages show a copy of the settings; only OK writes them back. Main thread.

#include <QDialog>

#include "settings/settings.h"
#include "view/settings_pages.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace tarsel::ui {

class SettingsOwner;

class ArchiveBox;
class IntervalBox;

class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SettingsDialog(const SettingsPages& pages, QWidget* parent = nullptr);
  // What the controls hold now.
  SettingsPages Pages() const;
  QTabWidget* tabs() const { return tabs_; }

 private:
  QWidget* NewGeneralPage(const GeneralPage& page);
  QWidget* NewInterfacePage(const InterfacePage& page);
  QWidget* NewFontPage(const FontPage& page);
  QWidget* NewColumnsPage(const ColumnsPage& page);
  QWidget* NewBlogPage(const BlogPage& page);
  QWidget* NewProxyPage(const ProxyPage& page);
  QWidget* NewMailPage(const MailPage& page);
  GeneralPage ReadGeneralPage() const;
  InterfacePage ReadInterfacePage() const;
  FontPage ReadFontPage() const;
  BlogPage ReadBlogPage() const;
  ProxyPage ReadProxyPage() const;
  void UpdateProxyFields();

  QTabWidget* tabs_ = nullptr;
  // General
  QCheckBox* launch_ = nullptr;
  QCheckBox* minimize_on_close_ = nullptr;
  QCheckBox* minimize_on_start_ = nullptr;
  QCheckBox* external_browser_ = nullptr;
  QComboBox* encoding_ = nullptr;
  QCheckBox* mark_read_ = nullptr;
  QSpinBox* mark_read_seconds_ = nullptr;
  QCheckBox* disable_sounds_ = nullptr;
  QCheckBox* disable_popups_ = nullptr;
  // Interface
  QCheckBox* show_descriptions_ = nullptr;
  QCheckBox* limit_symbols_ = nullptr;
  QSpinBox* symbols_ = nullptr;
  QCheckBox* limit_rows_ = nullptr;
  QSpinBox* rows_ = nullptr;
  QCheckBox* unread_first_ = nullptr;
  QRadioButton* group_items_[3] = {};
  QCheckBox* sort_columns_ = nullptr;
  // Font
  QFontComboBox* items_font_ = nullptr;
  QSpinBox* items_size_ = nullptr;
  QFontComboBox* description_font_ = nullptr;
  QSpinBox* description_size_ = nullptr;
  FontPage initial_fonts_;
  bool items_font_chosen_ = false;
  bool description_font_chosen_ = false;
  // Columns
  IntervalBox* interval_ = nullptr;
  ArchiveBox* archive_ = nullptr;
  // Blog
  QComboBox* blog_tool_ = nullptr;
  QComboBox* blog_service_ = nullptr;
  QLineEdit* blog_account_ = nullptr;
  QLineEdit* blog_password_ = nullptr;
  QLineEdit* blog_host_ = nullptr;
  QLineEdit* blog_page_ = nullptr;
  // Proxy
  QRadioButton* proxy_types_[3] = {};
  QLineEdit* proxy_server_ = nullptr;
  QLineEdit* proxy_port_ = nullptr;
  QLineEdit* proxy_user_ = nullptr;
  QLineEdit* proxy_password_ = nullptr;
  // Mail
  QLineEdit* smtp_server_ = nullptr;
  QLineEdit* own_mail_ = nullptr;
};

// Runs the window on the live settings. On OK the pages are written through their owner, which
// publishes them (downloads from then on use its proxy) and tells the widgets, and the autostart
// entry follows "Launch At Startup". True on OK.
bool RunSettingsDialog(QWidget* parent, SettingsOwner& settings);

}  // namespace tarsel::ui
