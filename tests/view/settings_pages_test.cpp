#include "view/settings_pages.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

// A record where every field the pages edit differs from its default, so a field the page
// forgets or swaps shows up in the round trip.
Settings Unusual() {
  Settings settings;
  settings.launch_on_startup = false;
  settings.minimize_on_close = false;
  settings.minimize_on_start = true;
  settings.external_browser = true;
  settings.encoding = kEncodingCentralEuropean;
  settings.mark_read_enabled = false;
  settings.mark_read_seconds = 9;
  settings.mute_sound = true;
  settings.mute_popups = false;
  settings.descriptions_show = true;
  settings.descriptions_limitsymbols = true;
  settings.descriptions_symbols = 77;
  settings.descriptions_limitrows = true;
  settings.descriptions_rows = 4;
  settings.unreaditems_first = false;
  settings.groupitems = GroupItemsMode::kNo;
  settings.sortcolumns = false;
  settings.itemsfont_name = "Liberation Sans";
  settings.itemsfont_size = 11;
  settings.descfont_name = "DejaVu Serif";
  settings.descfont_size = 9;
  settings.updateperiod = 7200;
  settings.archive_enable = true;
  settings.archive_by_records = false;
  settings.archive_depth = 14;
  settings.blog = {"w.Bloggar", "LiveJournal", "host", "/page", "me", "secret"};
  settings.proxy = {ProxyType::kGiven, "proxy.local", 3128, "user", "p a%ss"};
  settings.smtpserver = "smtp.local";
  settings.mail = "me@example.org";
  return settings;
}

TEST(SettingsPagesTest, OpeningAndConfirmingChangesNothing) {
  for (const Settings& original : {Settings(), Unusual()}) {
    Settings settings = original;
    SettingsPages::FromSettings(settings).ApplyTo(settings);
    // Blog settings start empty and the first OK names the built-in tool.
    Settings expected = original;
    if (expected.blog.tool.empty()) expected.blog.tool = kBlogToolBuiltIn;
    EXPECT_EQ(settings, expected);
  }
}

TEST(SettingsPagesTest, GeneralPageFields) {
  const Settings settings = Unusual();
  const GeneralPage page = GeneralPage::FromSettings(settings);
  EXPECT_EQ(page.encoding_position, 3);
  EXPECT_EQ(page.mark_read_seconds, "9");
  const struct {
    const char* text;
    int32_t stored;
  } kSeconds[] = {{"0", 5}, {"", 5}, {"soon", 5}, {"-3", 5}, {"12", 12}, {"999999999", 86400}};
  for (const auto& row : kSeconds) {
    GeneralPage edited = page;
    edited.mark_read_seconds = row.text;
    Settings out;
    edited.ApplyTo(out);
    EXPECT_EQ(out.mark_read_seconds, row.stored) << row.text;
    EXPECT_EQ(out.encoding, kEncodingCentralEuropean);
  }
}

TEST(SettingsPagesTest, DescriptionsOffShowTheLimitsUnticked) {
  Settings settings = Unusual();
  InterfacePage page = InterfacePage::FromSettings(settings);
  page.show_descriptions = false;
  page.ApplyTo(settings);
  const InterfacePage reopened = InterfacePage::FromSettings(settings);
  EXPECT_FALSE(reopened.limit_symbols);
  EXPECT_FALSE(reopened.limit_rows);
  EXPECT_EQ(reopened.symbols, "77");
}

TEST(SettingsPagesTest, ColumnsPageInterval) {
  Settings settings;
  settings.updateperiod = 7200;
  ColumnsPage page = ColumnsPage::FromSettings(settings);
  EXPECT_EQ(page.interval.kind, IntervalKind::kCustom);
  EXPECT_EQ(page.interval.custom_text, "02:00:00");
  page.interval = {IntervalKind::kCheckEvery, 3, "02:00:00"};
  page.ApplyTo(settings);
  EXPECT_EQ(settings.updateperiod, 86400);
}

TEST(SettingsPagesTest, ChoicesLeftUnselectedKeepTheSetting) {
  const Settings original = Unusual();
  Settings settings = original;
  SettingsPages pages = SettingsPages::FromSettings(settings);
  pages.font.items_font.clear();
  pages.font.description_font.clear();
  pages.blog.service_position = -1;
  pages.proxy.type = -1;
  pages.interface_page.group_items = -1;
  pages.ApplyTo(settings);
  EXPECT_EQ(settings, original);
}

TEST(SettingsPagesTest, HostileNumbersStayInRange) {
  Settings settings;
  SettingsPages pages = SettingsPages::FromSettings(settings);
  pages.proxy.port = "99999999999";
  pages.font.items_size = "-4";
  pages.font.description_size = "12pt";
  pages.interface_page.rows = "2147483648";
  pages.ApplyTo(settings);
  EXPECT_EQ(settings.proxy.port, kMaxPort);
  EXPECT_EQ(settings.itemsfont_size, kMinFontSize);
  EXPECT_EQ(settings.descfont_size, 12);
  EXPECT_EQ(settings.descriptions_rows, kMaxDescriptionRows);
}

TEST(SettingsPagesTest, ProxyFieldsOnlyForAGivenProxy) {
  for (int type : {-1, 0, 1, 2}) {
    ProxyPage page;
    page.type = type;
    EXPECT_EQ(page.FieldsEnabled(), type == 2) << type;
  }
}

}  // namespace
}  // namespace tarsel
