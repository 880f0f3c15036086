#include <string_view>

#include "parse/dates/date_format.h"
#include "parse/xml/xml_writer.h"
#include "platform/atomic_file.h"
#include "settings/settings_file.h"
#include "settings/settings_text.h"

namespace tarsel {
namespace {

// The file cannot carry a NUL byte; a value ends there, as a C string would.
std::string_view UpToNul(std::string_view value) {
  return value.substr(0, value.find('\0'));
}

// An element holding text. Text with '<' or '&' goes into a CDATA section (split around any
// "]]>" it holds), which the reader takes back unchanged; other text keeps the plain shape.
std::string TextElement(std::string_view name, std::string_view value) {
  value = UpToNul(value);
  if (value.find_first_of("<&") == std::string_view::npos) return XmlStringElement(name, value);
  std::string cdata = "<![CDATA[";
  for (size_t start = 0;;) {
    size_t end = value.find("]]>", start);
    if (end == std::string_view::npos) {
      cdata.append(value.substr(start));
      break;
    }
    cdata.append(value.substr(start, end + 2 - start)).append("]]><![CDATA[");
    start = end + 2;
  }
  cdata += "]]>";
  return XmlStringElement(name, cdata);
}

// An attribute value with its quotes: single quotes unless the value holds one. A value holding
// both kinds cannot be quoted for this reader, so its double quotes are dropped.
std::string Quoted(std::string_view value) {
  value = UpToNul(value);
  const bool single = value.find('\'') == std::string_view::npos;
  const char quote = single ? '\'' : '"';
  std::string text(1, quote);
  text.reserve(value.size() + 2);
  for (char c : value) {
    if (single || c != '"') text += c;
  }
  text += quote;
  return text;
}

// A percent-encoded credential; its single quotes become %27, which PercentDecode reads back.
std::string QuotedCredential(std::string_view value) {
  std::string text;
  for (char c : PercentEncode(UpToNul(value))) {
    if (c == '\'') {
      text += "%27";
    } else {
      text += c;
    }
  }
  return "'" + text + "'";
}

const char* Bool(bool flag) {
  return flag ? "'true'" : "'false'";
}
std::string Int(int32_t number) {
  std::string text = std::to_string(number);
  text.insert(text.begin(), '\'');
  text += '\'';
  return text;
}

const char* EncodingName(int32_t encoding) {
  switch (encoding) {
    case kEncodingWesternEurope:
      return "Western Europe";
    case kEncodingCyrillicWindows:
      return "Cyrillic Windows";
    case kEncodingCentralEuropean:
      return "Central European";
    default:
      return "Automatic";
  }
}

const char* GroupItemsName(GroupItemsMode mode) {
  switch (mode) {
    case GroupItemsMode::kAll:
      return "'all'";
    case GroupItemsMode::kNo:
      return "'no'";
    default:
      return "'unread'";
  }
}

class LineWriter {
 public:
  void Line(int indent, std::string_view text) {
    text_.append(static_cast<size_t>(indent), '\t').append(text) += '\n';
  }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

void WriteBlog(LineWriter& out, const BlogSettings& blog) {
  if (blog.tool.empty()) return;
  if (blog.tool != "build in") {
    out.Line(1, "<blogger tool=" + Quoted(blog.tool) + "/>");
    return;
  }
  out.Line(1, "<blogger tool=" + Quoted(blog.tool) + ">");
  out.Line(2, TextElement("service", blog.service));
  out.Line(2, TextElement("host", blog.host));
  out.Line(2, TextElement("page", blog.page));
  out.Line(2, TextElement("user", blog.user));
  out.Line(2, TextElement("password", blog.password));
  out.Line(1, "</blogger>");
}

void WriteHeaders(LineWriter& out, const std::map<std::string, HeaderSetting>& headers) {
  static const std::map<std::string, HeaderSetting> kDefaults = DefaultHeaders();
  out.Line(1, "<headers>");
  for (const char* key : {"title", "received", "published", "subject", "author"}) {
    auto found = headers.find(key);
    const HeaderSetting& header = found != headers.end() ? found->second : kDefaults.at(key);
    out.Line(2, std::string("<") + key + " visible=" + Bool(header.visible) +
                    " width=" + Int(header.width) + "/>");
  }
  out.Line(1, "</headers>");
}

// The lines up to and including the weblog block.
void WriteFirstPart(LineWriter& out, const Settings& s) {
  out.Line(0, "<settings>");
  out.Line(1, XmlBoolElement("launch_on_startup", s.launch_on_startup));
  out.Line(1, XmlBoolElement("minimize_on_close", s.minimize_on_close));
  out.Line(1, XmlBoolElement("minimize_on_start", s.minimize_on_start));
  out.Line(1, XmlBoolElement("show_on_update", s.show_on_update));
  out.Line(1, TextElement("placement", s.placement));
  out.Line(1, XmlBoolElement("viewtoolbar", s.viewtoolbar));
  out.Line(1, XmlBoolElement("viewstatusbar", s.viewstatusbar));
  out.Line(1, XmlBoolElement("sortcolumns", s.sortcolumns));
  out.Line(1, XmlIntElement("columntreepos", s.columntreepos));
  out.Line(1, XmlIntElement("columnitemspos", s.columnitemspos));
  out.Line(1, XmlStringElement("encoding", EncodingName(s.encoding)));
  out.Line(1, std::string("<mark_read enabled=") + Bool(s.mark_read_enabled) +
                  " seconds=" + Int(s.mark_read_seconds) + "/>");
  out.Line(1, "<proxy type=" + Int(static_cast<int32_t>(s.proxy.type)) +
                  " server=" + Quoted(s.proxy.server) + " port=" + Int(s.proxy.port) +
                  " username=" + QuotedCredential(s.proxy.username) +
                  " password=" + QuotedCredential(s.proxy.password) + "/>");
  out.Line(1, std::string("<silence_mode sound=") + Bool(!s.mute_sound) +
                  " popups=" + Bool(!s.mute_popups) + "/>");
  if (s.desktop_notifications) out.Line(1, XmlBoolElement("desktop_notifications", true));
  out.Line(1, XmlIntElement("lastid", s.lastid));
  WriteBlog(out, s.blog);
}

void WriteSecondPart(LineWriter& out, const Settings& s) {
  out.Line(1, XmlBoolElement("fullscreen", s.fullscreen));
  out.Line(1, TextElement("smtpserver", s.smtpserver));
  out.Line(1, TextElement("mail", s.mail));
  out.Line(1, std::string("<descriptions show=") + Bool(s.descriptions_show) +
                  " limitrows=" + Bool(s.descriptions_limitrows) + " limitsymbols=" +
                  Bool(s.descriptions_limitsymbols) + " rows=" + Int(s.descriptions_rows) +
                  " symbols=" + Int(s.descriptions_symbols) + "/>");
  out.Line(1, XmlBoolElement("external_browser", s.external_browser));
  WriteHeaders(out, s.headers);
  out.Line(1, std::string("<layout vertical=") + Bool(s.layout_vertical) + " />");
  out.Line(1, std::string("<unreaditems first=") + Bool(s.unreaditems_first) + " />");
  out.Line(1, std::string("<memories visible=") + Bool(s.memories_visible) +
                  " position=" + Int(s.memories_position) + "/>");
  out.Line(1, "<lang id=" + Quoted(s.lang_id) + "/>");
  out.Line(1,
           "<itemsfont name=" + Quoted(s.itemsfont_name) + " size=" + Int(s.itemsfont_size) + "/>");
  out.Line(1, "<descfont name=" + Quoted(s.descfont_name) + " size=" + Int(s.descfont_size) + "/>");
  out.Line(1, "<warninngs>");
  out.Line(2, XmlBoolElement("newversion", s.newversion));
  out.Line(1, "</warninngs>");
  out.Line(1, XmlStringElement("last_version_check", FormatDate(s.last_version_check, 9)));
  out.Line(1, XmlStringElement("updateperiod", FormatDuration(s.updateperiod, 6)));
  out.Line(1, std::string("<archive enable=") + Bool(s.archive_enable) +
                  " type=" + (s.archive_by_records ? "'records'" : "'days'") +
                  " depth=" + Int(s.archive_depth) + "/>");
  out.Line(1, std::string("<groupitems show=") + GroupItemsName(s.groupitems) + " />");
  out.Line(0, "</settings>");
}

}  // namespace

std::string SettingsFileText(const Settings& settings) {
  LineWriter out;
  WriteFirstPart(out, settings);
  WriteSecondPart(out, settings);
  return std::move(out.text());
}

bool SaveSettings(const Settings& settings) {
  return WriteFileAtomically(SettingsFilePath(), SettingsFileText(settings), 0600);
}

}  // namespace tarsel
