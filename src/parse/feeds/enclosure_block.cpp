#include "parse/feeds/enclosure_block.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "html/text.h"

namespace tarsel::feeds {

namespace {

constexpr std::string_view kBlockStart = "<div class=\"enclosures\">";
constexpr std::string_view kLinkStart = "<a class=\"enclosure-link\" href=\"";

enum class Player { kNone, kAudio, kVideo, kImage };

void AppendEscaped(std::string_view text, std::string& out) {
  HTML::AppendEscapedHtml(text, out, HTML::QuoteEscaping::kDouble);
}

std::string Unescaped(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kReferences[] = {
      {"&amp;", '&'}, {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'}};
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    bool replaced = false;
    for (const auto& [reference, character] : kReferences) {
      if (text.substr(i, reference.size()) == reference) {
        out += character;
        i += reference.size() - 1;
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i];
  }
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(),
                                                    [](char a, char b) { return (a | 0x20) == b; });
}

// The path of the URL without query and fragment.
std::string_view PathOf(std::string_view url) {
  return url.substr(0, std::min(url.find('?'), url.find('#')));
}

std::string_view NameOf(std::string_view url) {
  std::string_view path = PathOf(url);
  const size_t slash = path.rfind('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t scheme_end = url.find("://");
  // "http://host" has no path: the name would be the host.
  if (name.empty() || (scheme_end != std::string_view::npos && slash <= scheme_end + 2)) {
    return url;
  }
  return name;
}

// Feeds often leave out the type of a media file; its extension then tells the player.
Player PlayerByExtension(std::string_view url) {
  std::string_view path = PathOf(url);
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) {
    return Player::kNone;
  }
  std::string extension(path.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(c | 0x20);
  static const std::unordered_set<std::string> kAudio = {"mp3",  "m4a", "ogg", "oga",
                                                         "opus", "wav", "aac", "flac"};
  static const std::unordered_set<std::string> kVideo = {"mp4", "m4v", "webm", "ogv", "mov"};
  static const std::unordered_set<std::string> kImage = {"jpg", "jpeg", "png", "gif", "webp"};
  if (kAudio.count(extension)) return Player::kAudio;
  if (kVideo.count(extension)) return Player::kVideo;
  if (kImage.count(extension)) return Player::kImage;
  return Player::kNone;
}

Player PlayerFor(const Enclosure& enclosure) {
  if (enclosure.type.empty()) return PlayerByExtension(enclosure.url);
  if (StartsWithNoCase(enclosure.type, "audio/")) return Player::kAudio;
  if (StartsWithNoCase(enclosure.type, "video/")) return Player::kVideo;
  if (StartsWithNoCase(enclosure.type, "image/")) return Player::kImage;
  return Player::kNone;
}

void AppendPlayer(const Enclosure& enclosure, std::string& out) {
  const Player player = PlayerFor(enclosure);
  if (player == Player::kNone) return;
  out += player == Player::kAudio   ? "<audio controls preload=\"none\" src=\""
         : player == Player::kVideo ? "<video controls preload=\"none\" src=\""
                                    : "<img src=\"";
  AppendEscaped(enclosure.url, out);
  out += player == Player::kAudio   ? "\"></audio>"
         : player == Player::kVideo ? "\"></video>"
                                    : "\" alt=\"\">";
}

void AppendInfo(const Enclosure& enclosure, std::string& out) {
  const std::string size = HumanSize(enclosure.length);
  if (enclosure.type.empty() && size.empty()) return;
  out += " <span class=\"enclosure-info\">(";
  AppendEscaped(enclosure.type, out);
  if (!enclosure.type.empty() && !size.empty()) out += ", ";
  out += size;
  out += ")</span>";
}

void AppendEnclosure(const Enclosure& enclosure, std::string& out) {
  out += "<div class=\"enclosure\">";
  AppendPlayer(enclosure, out);
  out += kLinkStart;
  AppendEscaped(enclosure.url, out);
  out += '"';
  if (!enclosure.type.empty()) {
    out += " type=\"";
    AppendEscaped(enclosure.type, out);
    out += '"';
  }
  if (enclosure.length >= 0) out += " data-length=\"" + std::to_string(enclosure.length) + '"';
  if (!enclosure.title.empty()) {
    out += " title=\"";
    AppendEscaped(enclosure.title, out);
    out += '"';
  }
  out += '>';
  AppendEscaped(enclosure.title.empty() ? NameOf(enclosure.url) : enclosure.title, out);
  out += "</a>";
  AppendInfo(enclosure, out);
  out += "</div>";
}

// The escaped value of attribute `name` inside the tag that starts at `tag`, unescaped.
std::string AttributeIn(std::string_view tag, std::string_view name) {
  tag = tag.substr(0, tag.find('>'));
  const std::string key = " " + std::string(name) + "=\"";
  const size_t start = tag.find(key);
  if (start == std::string_view::npos) return {};
  std::string_view value = tag.substr(start + key.size());
  return Unescaped(value.substr(0, value.find('"')));
}

int64_t LengthFrom(const std::string& digits) {
  if (digits.empty() || digits.size() > 18) return -1;
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return -1;
  }
  return std::stoll(digits);
}

}  // namespace

std::string WriteEnclosureBlock(const std::vector<Enclosure>& enclosures) {
  std::string block;
  size_t written = 0;
  for (const Enclosure& enclosure : enclosures) {
    if (enclosure.url.empty()) continue;
    if (written == kMaxEnclosures) break;
    if (written++ == 0) block += kBlockStart;
    AppendEnclosure(enclosure, block);
  }
  if (!block.empty()) block += "</div>";
  return block;
}

bool HoldsEnclosureBlock(std::string_view description) {
  return description.find(kBlockStart) != std::string_view::npos;
}

std::vector<Enclosure> ReadEnclosureBlock(std::string_view description) {
  std::vector<Enclosure> enclosures;
  size_t position = description.rfind(kBlockStart);
  if (position == std::string_view::npos) return enclosures;
  while (enclosures.size() < kMaxEnclosures &&
         (position = description.find(kLinkStart, position)) != std::string_view::npos) {
    const std::string_view tag = description.substr(position);
    Enclosure enclosure;
    enclosure.url = AttributeIn(tag, "href");
    enclosure.type = AttributeIn(tag, "type");
    enclosure.length = LengthFrom(AttributeIn(tag, "data-length"));
    enclosure.title = AttributeIn(tag, "title");
    enclosures.push_back(std::move(enclosure));
    position += kLinkStart.size();
  }
  return enclosures;
}

std::string HumanSize(int64_t length) {
  if (length <= 0) return {};
  if (length < 1024) return std::to_string(length) + (length == 1 ? " byte" : " bytes");
  static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB"};
  // Tenths by integer arithmetic: printf would write the decimal point of the user's locale.
  size_t unit = 0;
  int64_t divisor = 1024;
  while (length / divisor >= 1024 && unit + 1 < std::size(kUnits)) {
    divisor *= 1024;
    ++unit;
  }
  const auto tenths =
      static_cast<int64_t>(std::llround(static_cast<double>(length) * 10 / divisor));
  return std::to_string(tenths / 10) + '.' + std::to_string(tenths % 10) + ' ' + kUnits[unit];
}

}  // namespace tarsel::feeds
