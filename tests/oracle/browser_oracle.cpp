#include "oracle/browser_oracle.h"

#include <gumbo.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <memory>

namespace tarsel::testing {
namespace {

constexpr std::array kDroppedTags = {
    GUMBO_TAG_SCRIPT,   GUMBO_TAG_STYLE,  GUMBO_TAG_IFRAME, GUMBO_TAG_FRAME,
    GUMBO_TAG_FRAMESET, GUMBO_TAG_EMBED,  GUMBO_TAG_APPLET, GUMBO_TAG_OBJECT,
    GUMBO_TAG_BASE,     GUMBO_TAG_META,   GUMBO_TAG_LINK,   GUMBO_TAG_FORM,
    GUMBO_TAG_INPUT,    GUMBO_TAG_BUTTON, GUMBO_TAG_SELECT, GUMBO_TAG_TEXTAREA};

// SVG animations: one whose attributeName names a handler installs it on its parent.
constexpr std::array<std::string_view, 4> kAnimations = {"set", "animate", "animatetransform",
                                                         "animatemotion"};

// Put after the cleaned HTML, as the record pane's page puts its own markup after a record.
constexpr std::string_view kEndMarkerId = "oracle-end-of-record";

constexpr std::array<std::string_view, 12> kUrlAttributes = {
    "href",   "src",    "xlink:href", "action", "formaction", "background",
    "poster", "lowsrc", "dynsrc",     "data",   "codebase",   "srcdoc"};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The scheme a URL parser finds: leading blanks and controls skipped, tabs and line breaks
// removed, lower-cased; empty when there is none.
std::string SchemeOf(std::string_view url) {
  std::string cleaned;
  for (char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\t' || c == '\n' || c == '\r') continue;
    if (cleaned.empty() && byte <= 0x20) continue;
    cleaned += static_cast<char>(std::tolower(byte));
  }
  const size_t colon = cleaned.find(':');
  if (colon == std::string::npos) return {};
  const std::string scheme = cleaned.substr(0, colon);
  const bool valid = !scheme.empty() && std::all_of(scheme.begin(), scheme.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
  if (!valid) return {};
  if (scheme == "data" && cleaned.compare(colon + 1, 6, "image/") == 0) return "data:image";
  return scheme;
}

bool RunsScript(std::string_view url, bool data_image_allowed) {
  const std::string scheme = SchemeOf(url);
  if (scheme == "data:image") return !data_image_allowed;
  return scheme == "javascript" || scheme == "vbscript" || scheme == "data";
}

// CSS as its tokenizer sees it: comments gone, escapes resolved, blanks gone, lower-cased.
std::string CssText(std::string_view style) {
  std::string css;
  for (size_t i = 0; i < style.size(); ++i) {
    char c = style[i];
    if (c == '/' && i + 1 < style.size() && style[i + 1] == '*') {
      const size_t end = style.find("*/", i + 2);
      if (end == std::string_view::npos) break;
      i = end + 1;
      continue;
    }
    if (c == '\\' && i + 1 < style.size()) {
      size_t n = 0;
      unsigned code = 0;
      while (n < 6 && i + 1 + n < style.size() &&
             std::isxdigit(static_cast<unsigned char>(style[i + 1 + n]))) {
        const char digit =
            static_cast<char>(std::tolower(static_cast<unsigned char>(style[i + 1 + n])));
        code = code * 16 + static_cast<unsigned>(digit <= '9' ? digit - '0' : digit - 'a' + 10);
        ++n;
      }
      i += n == 0 ? 1 : n;
      c = n == 0 ? style[i] : code < 0x80 ? static_cast<char>(code) : 'x';
    }
    if (std::isspace(static_cast<unsigned char>(c))) continue;
    css += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return css;
}

bool StyleRunsScript(std::string_view style) {
  const std::string css = CssText(style);
  for (std::string_view marker : {"expression(", "behavior:", "behaviour:", "-moz-binding"}) {
    if (css.find(marker) != std::string::npos) return true;
  }
  for (size_t at = css.find("url("); at != std::string::npos; at = css.find("url(", at + 4)) {
    std::string_view target = std::string_view(css).substr(at + 4);
    if (!target.empty() && (target[0] == '"' || target[0] == '\'')) target.remove_prefix(1);
    if (RunsScript(target, true)) return true;
  }
  return false;
}

bool AnimationRunsScript(std::string_view list) {
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find(';', start), list.size());
    if (RunsScript(list.substr(start, end - start), false)) return true;
    start = end + 1;
  }
  return false;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
  return text;
}

std::string ElementName(const GumboElement& element) {
  if (element.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(element.tag);
  GumboStringPiece original = element.original_tag;
  gumbo_tag_from_original_text(&original);
  return Lower(std::string_view(original.data, original.length));
}

void CheckAttributes(const GumboElement& element, const std::string& name, std::string& risks) {
  for (unsigned i = 0; i < element.attributes.length; ++i) {
    const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
    const std::string attribute_name = Lower(attribute->name);
    const std::string_view value = attribute->value;
    std::string reason;
    if (attribute_name.starts_with("on")) {
      reason = "event handler";
    } else if (std::find(kUrlAttributes.begin(), kUrlAttributes.end(), attribute_name) !=
                   kUrlAttributes.end() &&
               RunsScript(value, element.tag == GUMBO_TAG_IMG && attribute_name == "src")) {
      reason = "script URL";
    } else if ((attribute_name == "values" || attribute_name == "to" || attribute_name == "from" ||
                attribute_name == "by") &&
               AnimationRunsScript(value)) {
      reason = "script URL in an animation";
    } else if (attribute_name == "style" && StyleRunsScript(value)) {
      reason = "script in a style";
    } else if (attribute_name == "attributename" &&
               std::find(kAnimations.begin(), kAnimations.end(), name) != kAnimations.end() &&
               Lower(Trimmed(value)).starts_with("on")) {
      reason = "animation setting an event handler";
    }
    if (!reason.empty()) risks += name + " " + attribute_name + ": " + reason + "\n";
  }
}

bool IsEndMarker(const GumboElement& element) {
  const GumboAttribute* id = gumbo_get_attribute(&element.attributes, "id");
  return id != nullptr && id->value == kEndMarkerId;
}

// `end_seen` is set when the end marker is met as an element.
void Check(const GumboNode& node, std::string& risks, bool& end_seen) {
  if (node.type != GUMBO_NODE_ELEMENT && node.type != GUMBO_NODE_TEMPLATE) return;
  const GumboElement& element = node.v.element;
  if (IsEndMarker(element)) end_seen = true;
  const std::string name = ElementName(element);
  if (std::find(kDroppedTags.begin(), kDroppedTags.end(), element.tag) != kDroppedTags.end()) {
    risks += name + ": dropped element\n";
  }
  CheckAttributes(element, name, risks);
  for (unsigned i = 0; i < element.children.length; ++i) {
    Check(*static_cast<const GumboNode*>(element.children.data[i]), risks, end_seen);
  }
}

// Windows-1252 text as UTF-8 for gumbo: bytes beyond ASCII become letters of the Latin-1 range,
// so none of them can be taken for markup, which is how a browser reads them.
std::string AsUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xc0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3f));
    }
  }
  return utf8;
}

// HTML reads a character reference past U+10FFFF, however many digits it has, as U+FFFD. Gumbo
// keeps only the low 32 bits of the number ("&#x1000000073;" would become 's'), so such
// references are written as U+FFFD before it reads the page.
std::string WithOversizedReferencesReplaced(std::string_view html) {
  std::string out;
  out.reserve(html.size());
  size_t i = 0;
  while (i < html.size()) {
    const size_t amp = html.find("&#", i);
    if (amp == std::string_view::npos) break;
    out.append(html, i, amp - i);
    size_t end = amp + 2;
    const bool hex = end < html.size() && (html[end] == 'x' || html[end] == 'X');
    if (hex) ++end;
    const size_t digits = end;
    uint64_t value = 0;
    while (end < html.size() && (hex ? std::isxdigit(static_cast<unsigned char>(html[end]))
                                     : std::isdigit(static_cast<unsigned char>(html[end])))) {
      const int digit = std::isdigit(static_cast<unsigned char>(html[end]))
                            ? html[end] - '0'
                            : std::tolower(static_cast<unsigned char>(html[end])) - 'a' + 10;
      value = std::min<uint64_t>(value * (hex ? 16 : 10) + static_cast<uint64_t>(digit), 0x110000);
      ++end;
    }
    if (end > digits && value > 0x10FFFF) {
      if (end < html.size() && html[end] == ';') ++end;
      out += "&#xFFFD;";
    } else {
      out.append(html, amp, end - amp);
    }
    i = end;
  }
  out.append(html, i, std::string_view::npos);
  return out;
}

struct OutputDeleter {
  void operator()(GumboOutput* output) const {
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
};

}  // namespace

std::string FindScriptRisk(std::string_view html) {
  // The record pane puts the description inside the body of its page.
  const std::string page = "<!DOCTYPE html><html><head></head><body>" +
                           WithOversizedReferencesReplaced(AsUtf8(html)) + "<p id=\"" +
                           std::string(kEndMarkerId) + "\"></p>";
  std::unique_ptr<GumboOutput, OutputDeleter> output(
      gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size()));
  std::string risks;
  bool end_seen = false;
  if (output) Check(*output->root, risks, end_seen);
  if (!end_seen) risks += "page: the markup after the record is swallowed\n";
  // A reader of zero-terminated text would cut the page there, perhaps inside a tag.
  if (html.find('\0') != std::string_view::npos) risks += "page: a zero byte\n";
  return risks;
}

}  // namespace tarsel::testing
