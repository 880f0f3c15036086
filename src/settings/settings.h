#pragma once

// The program-wide preferences record and the process-wide instance of it.
//
// Texts are bytes in the program's single-byte code page. Booleans are bool, integers int32_t,
// times int32_t seconds since 1970-01-01 UTC.
//
// Threads: the main thread (or the CLI) owns the process-wide settings and replaces them as a
// whole with SetCurrentSettings; every other thread takes an immutable snapshot with
// CurrentSettings (a worker takes one per task) and never sees a half-changed record.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace tarsel {

// How HTTP traffic reaches the network.
enum class ProxyType : int32_t {
  kNone = 0,    // direct connection
  kSystem = 1,  // the system's proxy settings (here: libcurl's own, i.e. the proxy environment)
  kGiven = 2,   // the proxy of ProxySettings
};

struct ProxySettings {
  ProxyType type = ProxyType::kSystem;
  std::string server;
  int32_t port = 0;
  // Plain in memory; percent-encoded in settings.xml.
  std::string username;
  std::string password;

  bool operator==(const ProxySettings&) const = default;
};

// The weblog posting account. All empty until the weblog settings dialog fills them.
struct BlogSettings {
  std::string tool;     // "build in", "w.Bloggar" or empty when never set
  std::string service;  // "Blogger", "LiveJournal" or "Movable Type"
  std::string host;
  std::string page;
  std::string user;
  std::string password;

  bool operator==(const BlogSettings&) const = default;
};

// One column of the records list.
struct HeaderSetting {
  int32_t width = 0;  // pixels
  bool visible = true;

  bool operator==(const HeaderSetting&) const = default;
};

// Which records a selected group shows in the records list.
enum class GroupItemsMode : int32_t {
  kAll = 0,     // all records of the group's columns
  kUnread = 1,  // only unread records
  kNo = 2,      // no records
};

// The values `Settings::encoding` takes: the user's character-set choice.
inline constexpr int32_t kEncodingAutomatic = 0;
inline constexpr int32_t kEncodingWesternEurope = 1;
inline constexpr int32_t kEncodingCyrillicWindows = 2;
inline constexpr int32_t kEncodingCentralEuropean = 5;

// Default update interval of new columns: three hours.
inline constexpr int32_t kDefaultUpdatePeriod = 10800;

// The records-list columns a new Settings holds: read 0, title 300, received 120, published 120,
// author 90, subject 90, persistant 0, all visible.
std::map<std::string, HeaderSetting> DefaultHeaders();

// Seconds since 1970 now (the default of last_version_check is the construction time).
int32_t CurrentTimeSeconds();

struct Settings {
  bool launch_on_startup = true;
  bool minimize_on_close = true;
  bool minimize_on_start = false;
  bool show_on_update = false;  // kept and written back; nothing else consults it
  std::string placement;        // main window placement text (FormatPlacement, placement.h)
  bool viewtoolbar = true;
  bool viewstatusbar = false;
  bool sortcolumns = true;
  int32_t columntreepos = 180;   // pixels
  int32_t columnitemspos = 120;  // pixels
  // 0 automatic, 1 Western Europe, 2 Cyrillic Windows, 5 Central European (kEncoding...).
  int32_t encoding = kEncodingAutomatic;
  bool mark_read_enabled = true;
  int32_t mark_read_seconds = 2;
  ProxySettings proxy;
  bool mute_sound = false;
  bool mute_popups = false;
  // Update notices go to the desktop's notification server instead of our own pop-up. Written
  // to the file only when on.
  bool desktop_notifications = false;
  int32_t lastid = -1;  // columns-tree node selected at the last close
  BlogSettings blog;
  bool fullscreen = true;
  std::string smtpserver;
  std::string mail;  // the user's own address; update mails go out only when it is set
  bool descriptions_show = true;
  bool descriptions_limitrows = false;
  bool descriptions_limitsymbols = false;
  int32_t descriptions_rows = 2;
  int32_t descriptions_symbols = 250;
  bool external_browser = false;
  // Records-list columns by key, in byte order of the keys.
  std::map<std::string, HeaderSetting> headers = DefaultHeaders();
  bool layout_vertical = false;
  bool unreaditems_first = true;
  bool memories_visible = false;
  int32_t memories_position = 400;  // pixels
  std::string lang_id = "automatic";
  std::string itemsfont_name = "Times New Roman";
  int32_t itemsfont_size = 14;
  std::string descfont_name = "Times New Roman";
  int32_t descfont_size = 12;
  bool newversion = true;  // tell the user about new versions
  // Reference time of the version check; -1 makes the check due.
  int32_t last_version_check = CurrentTimeSeconds();
  int32_t updateperiod = kDefaultUpdatePeriod;  // seconds, given to new columns
  bool archive_enable = false;
  bool archive_by_records = true;  // the archive limit counts records (true) or days (false)
  int32_t archive_depth = 30;
  GroupItemsMode groupitems = GroupItemsMode::kUnread;
  // Set by the command-line keyword SaveColumns; never stored in the file.
  bool save_columns_mode = false;

  bool operator==(const Settings&) const = default;
};

// Thread-safe. The current settings, an immutable snapshot; workers take one per task.
std::shared_ptr<const Settings> CurrentSettings();
// Main thread (or the CLI): replaces the process-wide settings.
void SetCurrentSettings(Settings settings);

}  // namespace tarsel
