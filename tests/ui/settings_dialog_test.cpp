#include "ui/settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <filesystem>

#include "support/temp_dir.h"
#include "ui/modal_helper.h"
#include "ui/settings_owner.h"

namespace tarsel::ui {
namespace {

using tarsel::testing::WhenModal;

template <typename Widget>
Widget* Find(QWidget* dialog, const char* name) {
  auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialogTest() : config_("XDG_CONFIG_HOME", home_.path()) {}
  std::string EntryPath() const { return home_.path() + "/autostart/Tarsel.desktop"; }

  tarsel::testing::TempDir home_;
  tarsel::testing::ScopedEnv config_;
};

TEST_F(SettingsDialogTest, SevenPagesAndHiddenPasswords) {
  SettingsDialog dialog(SettingsPages::FromSettings(Settings()));
  EXPECT_EQ(dialog.windowTitle(), "Programm Settings");
  QStringList tabs;
  for (int i = 0; i < dialog.tabs()->count(); ++i) tabs << dialog.tabs()->tabText(i);
  EXPECT_EQ(tabs.join(','), "General,Interface,Font,Columns,Blog,Proxy,Mail");
  for (const char* name : {"accountPassword", "proxyPassword"})
    EXPECT_EQ(Find<QLineEdit>(&dialog, name)->echoMode(), QLineEdit::Password) << name;
}

TEST_F(SettingsDialogTest, CancelChangesNothing) {
  Settings settings;
  const Settings before = settings;
  SettingsOwner owner(settings);
  WhenModal([](QWidget* dialog) {
    Find<QCheckBox>(dialog, "minimizeOnStart")->setChecked(true);
    Find<QRadioButton>(dialog, "proxyGiven")->setChecked(true);
    Find<QLineEdit>(dialog, "smtpServer")->setText("smtp.example.org");
    qobject_cast<QDialog*>(dialog)->reject();
  });
  EXPECT_FALSE(RunSettingsDialog(nullptr, owner));
  EXPECT_EQ(settings, before);
  EXPECT_FALSE(std::filesystem::exists(EntryPath()));
}

TEST_F(SettingsDialogTest, OkStoresThePagesAndTheAutostartEntry) {
  Settings settings;
  settings.proxy.type = ProxyType::kNone;
  settings.headers["subject"].visible = false;  // the records list's own entries stay
  SettingsOwner owner(settings);
  WhenModal([](QWidget* dialog) {
    auto* server = Find<QLineEdit>(dialog, "proxyServer");
    EXPECT_FALSE(server->isEnabled()) << "proxy fields only for a given proxy";
    Find<QRadioButton>(dialog, "proxyGiven")->setChecked(true);
    EXPECT_TRUE(server->isEnabled());
    server->setText("proxy.local");
    Find<QLineEdit>(dialog, "proxyPort")->setText("3128x");
    Find<QLineEdit>(dialog, "smtpServer")->setText("smtp.example.org");
    Find<QCheckBox>(dialog, "launchAtStartup")->setChecked(true);
    qobject_cast<QDialog*>(dialog)->accept();
  });
  ASSERT_TRUE(RunSettingsDialog(nullptr, owner));
  EXPECT_FALSE(settings.headers.at("subject").visible);
  EXPECT_EQ(settings.proxy.type, ProxyType::kGiven);
  EXPECT_EQ(settings.proxy.server, "proxy.local");
  EXPECT_EQ(settings.proxy.port, 3128);
  EXPECT_EQ(settings.smtpserver, "smtp.example.org");
  EXPECT_EQ(CurrentSettings()->proxy.server, "proxy.local") << "downloads see the new proxy";
  EXPECT_TRUE(std::filesystem::exists(EntryPath()));

  WhenModal([](QWidget* dialog) {
    Find<QCheckBox>(dialog, "launchAtStartup")->setChecked(false);
    qobject_cast<QDialog*>(dialog)->accept();
  });
  ASSERT_TRUE(RunSettingsDialog(nullptr, owner));
  EXPECT_FALSE(std::filesystem::exists(EntryPath()));
  SetCurrentSettings(Settings());
}

}  // namespace
}  // namespace tarsel::ui
