#pragma once

// The seven pages of the settings window as plain values: what each control shows when the
// page opens (FromSettings) and what confirming the page writes into Settings (ApplyTo). The
// widgets only copy these values into and out of their controls. Texts are bytes in the
// program's code page. Main thread (they touch a Settings record the caller owns).
//
// Number fields are read as atoi reads them and then kept within a sane range (see each
// field): nothing typed there can make a timer, a font or a port overflow.

#include <cstdint>
#include <string>

#include "services/blog_posting.h"
#include "settings/settings.h"
#include "view/dialog_fields.h"

namespace tarsel {

// Ranges of the number fields.
inline constexpr int32_t kMaxMarkReadSeconds = 86400;  // one day; the timer counts milliseconds
inline constexpr int32_t kDefaultMarkReadSeconds = 5;  // what 0 (or nothing numeric) becomes
inline constexpr int32_t kMaxDescriptionSymbols = 1000000;
inline constexpr int32_t kMaxDescriptionRows = 1000;
inline constexpr int32_t kMinFontSize = 1;
inline constexpr int32_t kMaxFontSize = 400;
inline constexpr int32_t kMaxPort = 65535;

struct GeneralPage {
  bool launch_at_startup = false;
  bool minimize_on_close = false;
  bool minimize_on_start = false;
  bool external_browser = false;
  int encoding_position =
      0;  // 0 Automatic, 1 Western Europe, 2 Cyrillic Windows, 3 Central European
  bool mark_read = false;
  std::string mark_read_seconds;  // 0, negative or not numeric: 5 seconds
  bool disable_sounds = false;
  bool disable_popups = false;

  static GeneralPage FromSettings(const Settings& settings);
  void ApplyTo(Settings& settings) const;
  bool operator==(const GeneralPage&) const = default;
};

struct InterfacePage {
  bool show_descriptions = false;
  bool limit_symbols = false;  // shown unticked while descriptions are off
  std::string symbols;
  bool limit_rows = false;  // shown unticked while descriptions are off
  std::string rows;
  bool unread_first = false;
  int group_items = 1;  // 0 all, 1 only unread, 2 none
  bool sort_columns = false;

  static InterfacePage FromSettings(const Settings& settings);
  void ApplyTo(Settings& settings) const;
  bool operator==(const InterfacePage&) const = default;
};

struct FontPage {
  std::string items_font;  // empty: no entry selected, the setting stays
  std::string items_size;
  std::string description_font;
  std::string description_size;

  static FontPage FromSettings(const Settings& settings);
  void ApplyTo(Settings& settings) const;
  bool operator==(const FontPage&) const = default;
};

struct ColumnsPage {
  IntervalControls interval;
  ArchiveControls archive;

  static ColumnsPage FromSettings(const Settings& settings);
  void ApplyTo(Settings& settings) const;
  bool operator==(const ColumnsPage&) const = default;
};

// The blog services in list order, as BlogSettings::service names them.
inline constexpr const char* kBlogServices[] = {kBlogServiceBlogger, kBlogServiceLiveJournal,
                                                kBlogServiceMovableType};

struct BlogPage {
  int tool_position = 0;      // 0 "Build In", 1 "w.Bloggar"
  int service_position = -1;  // -1: none selected, the service stays
  std::string account;
  std::string password;
  std::string host;
  std::string page;

  static BlogPage FromSettings(const Settings& settings);
  void ApplyTo(Settings& settings) const;
  bool operator==(const BlogPage&) const = default;
};

struct ProxyPage {
  int type = -1;  // 0, 1, 2; -1 when no button is chosen (the type stays)
  std::string server;
  std::string port;
  std::string username;
  std::string password;

  // Server, port, user name and password are editable only for type 2.
  bool FieldsEnabled() const { return type == 2; }
  static ProxyPage FromSettings(const Settings& settings);
  void ApplyTo(Settings& settings) const;
  bool operator==(const ProxyPage&) const = default;
};

struct MailPage {
  std::string smtp_server;
  std::string mail;

  static MailPage FromSettings(const Settings& settings);
  void ApplyTo(Settings& settings) const;
  bool operator==(const MailPage&) const = default;
};

// All seven pages, in tab order.
struct SettingsPages {
  GeneralPage general;
  InterfacePage interface_page;
  FontPage font;
  ColumnsPage columns;
  BlogPage blog;
  ProxyPage proxy;
  MailPage mail;

  static SettingsPages FromSettings(const Settings& settings);
  void ApplyTo(Settings& settings) const;
};

}  // namespace tarsel
