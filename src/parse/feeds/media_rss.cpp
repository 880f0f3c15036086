#include "parse/feeds/media_rss.h"

#include <algorithm>
#include <charconv>

#include "html/entities.h"
#include "html/text.h"
#include "parse/feeds/enclosure_block.h"

namespace tarsel::feeds {

namespace {

using XMLParser::Node;

// Addresses are attribute values: a query's "&section=2" keeps its name.
constexpr auto kAddress = HTML::EntityContext::kAttribute;

// Media elements sit in the entry, in its media:group, or in a media:content of either.
std::vector<const Node*> MediaContainers(const Node& entry) {
  std::vector<const Node*> containers = {&entry};
  const Node& group = entry.FindChildAt("media:group", 0);
  if (!group.IsNull()) containers.push_back(&group);
  for (size_t i = 0, count = containers.size(); i < count; ++i) {
    const Node& content = containers[i]->FindChildAt("media:content", 0);
    if (!content.IsNull()) containers.push_back(&content);
  }
  return containers;
}

const Node& FirstIn(const std::vector<const Node*>& containers, std::string_view name) {
  for (const Node* container : containers) {
    const Node& found = container->FindChildAt(name, 0);
    if (!found.IsNull()) return found;
  }
  return XMLParser::NullNode::Instance();
}

// Plain text as HTML: its line breaks become <br>; carriage returns go.
void AppendEscapedText(std::string_view text, std::string& html) {
  size_t start = 0;
  for (size_t end = text.find_first_of("\r\n"); end != std::string_view::npos;
       end = text.find_first_of("\r\n", start)) {
    HTML::AppendEscapedHtml(text.substr(start, end - start), html, HTML::QuoteEscaping::kDouble);
    if (text[end] == '\n') html += "<br>";
    start = end + 1;
  }
  HTML::AppendEscapedHtml(text.substr(start), html, HTML::QuoteEscaping::kDouble);
}

std::string DecodedText(const Node& element, int code_page, HTML::EntityContext context) {
  std::string text = element.InnerXml();
  if (!element.cdata) HTML::DecodeEntitiesInPlace(text, code_page, context);
  return text;
}

int64_t LengthOf(const std::string& digits) {
  int64_t length = -1;
  const char* end = digits.data() + digits.size();
  if (std::from_chars(digits.data(), end, length).ptr != end || length < 0) return -1;
  return length;
}

}  // namespace

std::string MediaDescription(const Node& entry, int code_page) {
  const std::vector<const Node*> containers = MediaContainers(entry);
  std::string html;
  const Node& thumbnail = FirstIn(containers, "media:thumbnail");
  const std::string& picture = thumbnail.GetAttribute("url");
  if (!picture.empty()) {
    html += "<p><img src=\"";
    AppendEscapedText(HTML::DecodeEntities(picture, code_page, kAddress), html);
    html += "\" alt=\"\"></p>";
  }
  const Node& description = FirstIn(containers, "media:description");
  if (description.GetAttribute("type") == "html") {
    html += DecodedText(description, code_page, HTML::EntityContext::kText);
    return html;
  }
  // Video descriptions are full of addresses, whose query names ("&section=") must stay.
  const std::string text = DecodedText(description, code_page, kAddress);
  if (text.empty()) return html;
  html += "<p>";
  AppendEscapedText(text, html);
  html += "</p>";
  return html;
}

void AppendMediaEnclosures(const Node& entry, int code_page, std::vector<Enclosure>& enclosures) {
  XMLParser::NodeRefs contents;
  for (const Node* container : {&entry, &entry.FindChildAt("media:group", 0)}) {
    contents.clear();  // a missing group finds nothing and leaves the list as it was
    container->FindChildren("media:content", contents);
    for (const Node* content : contents) {
      if (enclosures.size() >= kMaxEnclosures) return;
      AppendEnclosure(content->GetAttribute("url"), content->GetAttribute("type"),
                      content->GetAttribute("filesize"), code_page, enclosures);
    }
  }
}

void AppendEnclosure(const std::string& url, const std::string& type, const std::string& length,
                     int code_page, std::vector<Enclosure>& enclosures) {
  if (url.empty() || enclosures.size() >= kMaxEnclosures) return;
  Enclosure enclosure;
  enclosure.url = HTML::DecodeEntities(url, code_page, kAddress);
  const bool listed =
      std::any_of(enclosures.begin(), enclosures.end(),
                  [&](const Enclosure& other) { return other.url == enclosure.url; });
  if (listed) return;
  enclosure.type = HTML::DecodeEntities(type, code_page, kAddress);
  enclosure.length = LengthOf(length);
  enclosures.push_back(std::move(enclosure));
}

}  // namespace tarsel::feeds
