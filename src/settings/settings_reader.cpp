#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "parse/xml/xml_document.h"
#include "platform/folders.h"
#include "settings/settings_file.h"
#include "settings/settings_text.h"

namespace tarsel {
namespace {

using XMLParser::Node;

bool IsTrue(const Node& node) {
  return node.text == "true";
}

void ApplyArchiveAndGroups(const Node& root, Settings& s) {
  if (const Node& node = root.FindChildNoCase("updateperiod"); !node.IsNull()) {
    s.updateperiod = ReadDuration(node.text);
  }
  if (const Node& node = root.FindChildNoCase("archive"); !node.IsNull()) {
    s.archive_enable = node.GetAttributeBool("enable", false);
    s.archive_by_records = node.GetAttribute("type") == "records";
    s.archive_depth = node.GetAttributeInt("depth", 30);
  }
  if (const Node& node = root.FindChildNoCase("sortcolumns"); !node.IsNull()) {
    s.sortcolumns = IsTrue(node);
  }
  if (const Node& node = root.FindChildNoCase("groupitems"); !node.IsNull()) {
    const std::string& show = node.GetAttribute("show");
    s.groupitems = show == "all"  ? GroupItemsMode::kAll
                   : show == "no" ? GroupItemsMode::kNo
                                  : GroupItemsMode::kUnread;
  }
  if (const Node& node = root.FindChildNoCase("unreaditems"); !node.IsNull()) {
    s.unreaditems_first = node.GetAttributeBool("first", true);
  }
  if (const Node& node = root.FindChildNoCase("layout"); !node.IsNull()) {
    s.layout_vertical = node.GetAttributeBool("vertical", false);
  }
}

void ApplyViewAndMail(const Node& root, Settings& s) {
  if (const Node& node = root.FindChildNoCase("fullscreen"); !node.IsNull()) {
    s.fullscreen = IsTrue(node);
  }
  if (const Node& node = root.FindChildNoCase("smtpserver"); !node.IsNull())
    s.smtpserver = node.text;
  if (const Node& node = root.FindChildNoCase("mail"); !node.IsNull()) s.mail = node.text;
  if (const Node& node = root.FindChildNoCase("lang"); !node.IsNull()) {
    s.lang_id = node.GetAttribute("id");
  }
  if (const Node& node = root.FindChildNoCase("descriptions"); !node.IsNull()) {
    s.descriptions_show = node.GetAttributeBool("show", true);
    s.descriptions_limitsymbols = node.GetAttributeBool("limitsymbols", true);
    s.descriptions_limitrows = node.GetAttributeBool("limitrows", true);
    s.descriptions_symbols = node.GetAttributeInt("symbols", 250);
    s.descriptions_rows = node.GetAttributeInt("rows", 2);
  }
  if (const Node& node = root.FindChildNoCase("memories"); !node.IsNull()) {
    s.memories_visible = node.GetAttributeBool("visible", true);
    s.memories_position = node.GetAttributeInt("position", 400);
  }
  if (const Node& node = root.FindChildNoCase("itemsfont"); !node.IsNull()) {
    s.itemsfont_name = node.GetAttribute("name");
    s.itemsfont_size = node.GetAttributeInt("size", 14);
  }
  if (const Node& node = root.FindChildNoCase("descfont"); !node.IsNull()) {
    s.descfont_name = node.GetAttribute("name");
    s.descfont_size = node.GetAttributeInt("size", 12);
  }
  if (const Node& node = root.FindChildNoCase("last_version_check"); !node.IsNull()) {
    s.last_version_check = ReadSettingsDate(node.text);
  }
}

void ApplyEncoding(const std::string& name, Settings& s) {
  if (name == "Automatic") s.encoding = kEncodingAutomatic;
  if (name == "Western Europe") s.encoding = kEncodingWesternEurope;
  if (name == "Cyrillic Windows") s.encoding = kEncodingCyrillicWindows;
  if (name == "Central European") s.encoding = kEncodingCentralEuropean;
}

void ApplyProxy(const Node& node, ProxySettings& proxy) {
  int type = node.GetAttributeInt("type", 1);
  proxy.type = type == 0 ? ProxyType::kNone : type == 1 ? ProxyType::kSystem : ProxyType::kGiven;
  proxy.server = node.GetAttribute("server");
  proxy.port = node.GetAttributeInt("port", 0);
  proxy.username = PercentDecode(node.GetAttribute("username"));
  proxy.password = PercentDecode(node.GetAttribute("password"));
}

// One child of the root, matched by its exact name; later duplicates override earlier ones.
void ApplyChild(const Node& node, Settings& s) {
  const std::string& name = node.name;
  bool* flag = name == "launch_on_startup"       ? &s.launch_on_startup
               : name == "minimize_on_close"     ? &s.minimize_on_close
               : name == "minimize_on_start"     ? &s.minimize_on_start
               : name == "show_on_update"        ? &s.show_on_update
               : name == "viewtoolbar"           ? &s.viewtoolbar
               : name == "viewstatusbar"         ? &s.viewstatusbar
               : name == "external_browser"      ? &s.external_browser
               : name == "desktop_notifications" ? &s.desktop_notifications
                                                 : nullptr;
  int32_t* number = name == "columntreepos"    ? &s.columntreepos
                    : name == "columnitemspos" ? &s.columnitemspos
                    : name == "lastid"         ? &s.lastid
                                               : nullptr;
  if (flag != nullptr) {
    *flag = IsTrue(node);
  } else if (number != nullptr) {
    *number = ReadLeadingInt(node.text);
  } else if (name == "placement") {
    s.placement = node.text;
  } else if (name == "encoding") {
    ApplyEncoding(node.text, s);
  } else if (name == "silence_mode") {
    s.mute_sound = !node.GetAttributeBool("sound", false);
    s.mute_popups = !node.GetAttributeBool("popups", true);
  } else if (name == "mark_read") {
    s.mark_read_enabled = node.GetAttributeBool("enabled", true);
    s.mark_read_seconds = node.GetAttributeInt("seconds", 2);
  } else if (name == "proxy") {
    ApplyProxy(node, s.proxy);
  }
}

void ApplyHeaders(const Node& root, Settings& s) {
  const Node& headers = root.FindChildNoCase("headers");
  if (headers.IsNull()) return;
  const std::pair<const char*, int> kWidths[] = {
      {"title", 300}, {"received", 120}, {"subject", 90}, {"author", 90}, {"published", 90}};
  for (const auto& [key, default_width] : kWidths) {
    const Node& node = headers.FindChildNoCase(key);
    if (node.IsNull()) continue;
    HeaderSetting& header = s.headers[key];
    header.visible = node.GetAttributeBool("visible", true);
    header.width = node.GetAttributeInt("width", default_width);
  }
}

// The weblog account, as the writer stores it, so that it survives a restart.
void ApplyBlog(const Node& root, BlogSettings& blog) {
  const Node& node = root.FindChildNoCase("blogger");
  if (node.IsNull()) return;
  blog = BlogSettings{};
  blog.tool = node.GetAttribute("tool");
  if (blog.tool != "build in") return;
  blog.service = node.FindChildNoCase("service").text;
  blog.host = node.FindChildNoCase("host").text;
  blog.page = node.FindChildNoCase("page").text;
  blog.user = node.FindChildNoCase("user").text;
  blog.password = node.FindChildNoCase("password").text;
}

void ApplyDocument(const Node& root, Settings& s) {
  ApplyArchiveAndGroups(root, s);
  ApplyViewAndMail(root, s);
  for (const auto& child : *root.Children()) ApplyChild(*child, s);
  ApplyHeaders(root, s);
  if (const Node& warnings = root.FindChildNoCase("warninngs"); !warnings.IsNull()) {
    s.newversion = IsTrue(warnings.FindChildNoCase("newversion"));
  }
  ApplyBlog(root, s.blog);
}

// The whole of a regular file of at most `limit` bytes; false for anything else.
bool ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes) {
  // O_NONBLOCK: a FIFO put in the file's place must not hang the start.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat status {};
  bool ok = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
            static_cast<std::size_t>(status.st_size) <= limit;
  while (ok) {
    char buffer[16384];
    ssize_t got = read(fd, buffer, sizeof(buffer));
    if (got == 0) break;
    if (got < 0) {
      ok = errno == EINTR;
      continue;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
    ok = bytes.size() <= limit;  // the file may grow while it is read
  }
  close(fd);
  return ok;
}

}  // namespace

std::string SettingsFilePath() {
  return DataFolder() + "/settings.xml";
}

bool ParseSettingsXml(const char* bytes, std::size_t length, Settings& settings) {
  XMLParser::Document document;
  try {
    const Node& root = document.ParseBuffer(bytes, length);
    if (root.Children() == nullptr) return false;
    Settings updated = settings;
    ApplyDocument(root, updated);
    settings = std::move(updated);
    return true;
  } catch (const XMLParser::Exception&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool LoadSettings(Settings& settings) {
  std::string bytes;
  if (!ReadWholeFile(SettingsFilePath(), kMaxSettingsFileSize, bytes)) return false;
  return ParseSettingsXml(bytes.data(), bytes.size(), settings);
}

}  // namespace tarsel
