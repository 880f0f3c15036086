#include "view/settings_pages.h"

#include <iterator>

namespace tarsel {

GeneralPage GeneralPage::FromSettings(const Settings& settings) {
  GeneralPage page;
  page.launch_at_startup = settings.launch_on_startup;
  page.minimize_on_close = settings.minimize_on_close;
  page.minimize_on_start = settings.minimize_on_start;
  page.external_browser = settings.external_browser;
  page.encoding_position = EncodingListPosition(settings.encoding);
  page.mark_read = settings.mark_read_enabled;
  page.mark_read_seconds = std::to_string(settings.mark_read_seconds);
  page.disable_sounds = settings.mute_sound;
  page.disable_popups = settings.mute_popups;
  return page;
}

void GeneralPage::ApplyTo(Settings& settings) const {
  settings.launch_on_startup = launch_at_startup;
  settings.minimize_on_close = minimize_on_close;
  settings.minimize_on_start = minimize_on_start;
  settings.external_browser = external_browser;
  settings.encoding = EncodingFromListPosition(encoding_position);
  settings.mark_read_enabled = mark_read;
  const int32_t seconds = ReadNumberField(mark_read_seconds, 0, kMaxMarkReadSeconds);
  settings.mark_read_seconds = seconds == 0 ? kDefaultMarkReadSeconds : seconds;
  settings.mute_sound = disable_sounds;
  settings.mute_popups = disable_popups;
}

InterfacePage InterfacePage::FromSettings(const Settings& settings) {
  InterfacePage page;
  page.show_descriptions = settings.descriptions_show;
  page.limit_symbols = settings.descriptions_show && settings.descriptions_limitsymbols;
  page.symbols = std::to_string(settings.descriptions_symbols);
  page.limit_rows = settings.descriptions_show && settings.descriptions_limitrows;
  page.rows = std::to_string(settings.descriptions_rows);
  page.unread_first = settings.unreaditems_first;
  page.group_items = static_cast<int>(settings.groupitems);
  page.sort_columns = settings.sortcolumns;
  return page;
}

void InterfacePage::ApplyTo(Settings& settings) const {
  settings.descriptions_show = show_descriptions;
  settings.descriptions_limitsymbols = limit_symbols;
  settings.descriptions_symbols = ReadNumberField(symbols, 0, kMaxDescriptionSymbols);
  settings.descriptions_limitrows = limit_rows;
  settings.descriptions_rows = ReadNumberField(rows, 0, kMaxDescriptionRows);
  settings.unreaditems_first = unread_first;
  if (group_items >= 0 && group_items <= 2)
    settings.groupitems = static_cast<GroupItemsMode>(group_items);
  settings.sortcolumns = sort_columns;
}

FontPage FontPage::FromSettings(const Settings& settings) {
  return {settings.itemsfont_name, std::to_string(settings.itemsfont_size), settings.descfont_name,
          std::to_string(settings.descfont_size)};
}

void FontPage::ApplyTo(Settings& settings) const {
  if (!items_font.empty()) settings.itemsfont_name = items_font;
  settings.itemsfont_size = ReadNumberField(items_size, kMinFontSize, kMaxFontSize);
  if (!description_font.empty()) settings.descfont_name = description_font;
  settings.descfont_size = ReadNumberField(description_size, kMinFontSize, kMaxFontSize);
}

ColumnsPage ColumnsPage::FromSettings(const Settings& settings) {
  return {IntervalToControls(settings.updateperiod),
          ArchiveToControls(
              {settings.archive_enable, settings.archive_by_records, settings.archive_depth})};
}

void ColumnsPage::ApplyTo(Settings& settings) const {
  settings.updateperiod = IntervalFromControls(interval, settings.updateperiod);
  const ArchiveChoice choice = ArchiveFromControls(archive);
  settings.archive_enable = choice.enabled;
  settings.archive_by_records = choice.by_count;
  settings.archive_depth = choice.depth;
}

BlogPage BlogPage::FromSettings(const Settings& settings) {
  BlogPage page;
  page.tool_position = settings.blog.tool == kBlogToolBloggar ? 1 : 0;
  for (size_t i = 0; i < std::size(kBlogServices); ++i) {
    if (settings.blog.service == kBlogServices[i]) page.service_position = static_cast<int>(i);
  }
  page.account = settings.blog.user;
  page.password = settings.blog.password;
  page.host = settings.blog.host;
  page.page = settings.blog.page;
  return page;
}

void BlogPage::ApplyTo(Settings& settings) const {
  settings.blog.tool = tool_position == 1 ? kBlogToolBloggar : kBlogToolBuiltIn;
  if (service_position >= 0 && service_position < static_cast<int>(std::size(kBlogServices)))
    settings.blog.service = kBlogServices[service_position];
  settings.blog.user = account;
  settings.blog.password = password;
  settings.blog.host = host;
  settings.blog.page = page;
}

ProxyPage ProxyPage::FromSettings(const Settings& settings) {
  return {static_cast<int>(settings.proxy.type), settings.proxy.server,
          std::to_string(settings.proxy.port), settings.proxy.username, settings.proxy.password};
}

void ProxyPage::ApplyTo(Settings& settings) const {
  if (type >= 0 && type <= 2) settings.proxy.type = static_cast<ProxyType>(type);
  settings.proxy.server = server;
  settings.proxy.port = ReadNumberField(port, 0, kMaxPort);
  settings.proxy.username = username;
  settings.proxy.password = password;
}

MailPage MailPage::FromSettings(const Settings& settings) {
  return {settings.smtpserver, settings.mail};
}

void MailPage::ApplyTo(Settings& settings) const {
  settings.smtpserver = smtp_server;
  settings.mail = mail;
}

SettingsPages SettingsPages::FromSettings(const Settings& settings) {
  return {GeneralPage::FromSettings(settings), InterfacePage::FromSettings(settings),
          FontPage::FromSettings(settings),    ColumnsPage::FromSettings(settings),
          BlogPage::FromSettings(settings),    ProxyPage::FromSettings(settings),
          MailPage::FromSettings(settings)};
}

void SettingsPages::ApplyTo(Settings& settings) const {
  general.ApplyTo(settings);
  interface_page.ApplyTo(settings);
  font.ApplyTo(settings);
  columns.ApplyTo(settings);
  blog.ApplyTo(settings);
  proxy.ApplyTo(settings);
  mail.ApplyTo(settings);
}

}  // namespace tarsel
