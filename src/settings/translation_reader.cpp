// Reading a translation document into the table, and keeping the part of a malformed one that
// came before its error.
#include <string>
#include <string_view>
#include <vector>

#include "parse/xml/xml_document.h"
#include "platform/system_code_page.h"
#include "settings/settings_text.h"
#include "settings/translation_table.h"

namespace tarsel {
namespace {

using XMLParser::Node;

struct TextDecoder {
  int file_code_page;
  int program_code_page;

  std::string operator()(const Node& node) const {
    std::string bytes = PercentDecode(node.GetAttribute("text"));
    if (file_code_page == program_code_page) return bytes;
    return CodePageFromUtf8(CodePageToUtf8(bytes, file_code_page), program_code_page);
  }
};

int IdOf(const Node& node) {
  return ReadLeadingInt(node.GetAttribute("value"));
}

void ReadStrings(const Node& strings, const TextDecoder& decode, TranslationTable& table) {
  for (const auto& child : *strings.Children()) {
    if (child->name != "string") continue;
    const int id = IdOf(*child);
    if (id != 0) table.strings[id] = decode(*child);
  }
}

void ReadDialog(const Node& dialog, const TextDecoder& decode, TranslationTable& table) {
  const int id = IdOf(dialog);
  if (id == 0) return;
  DialogTranslation translation;
  translation.caption = decode(dialog);
  if (const auto* children = dialog.Children()) {
    for (const auto& child : *children) {
      if (child->name != "control") continue;
      const int control = IdOf(*child);
      if (control != 0) translation.controls[control] = decode(*child);
    }
  }
  table.dialogs[id] = std::move(translation);
}

// Popups nest only as deep as the XML reader allows, so recursion stays bounded.
MenuTranslation ReadMenuItems(const Node& parent, const TextDecoder& decode) {
  MenuTranslation items;
  const auto* children = parent.Children();
  if (children == nullptr) return items;
  for (const auto& child : *children) {
    MenuItemTranslation item;
    if (child->name == "command") {
      item.command = IdOf(*child);
      if (item.command == 0) continue;  // takes no position
      item.text = decode(*child);
    } else if (child->name == "popup") {
      item.kind = MenuItemTranslation::Kind::kPopup;
      item.text = decode(*child);
      item.children = ReadMenuItems(*child, decode);
    } else if (child->name == "separator") {
      item.kind = MenuItemTranslation::Kind::kSeparator;
    } else {
      continue;
    }
    items.push_back(std::move(item));
  }
  return items;
}

void ReadRoot(const Node& root, const TextDecoder& decode, TranslationTable& table) {
  const auto* children = root.Children();
  if (children == nullptr) return;
  for (const auto& child : *children) {
    if (child->name == "strings" && child->Children() != nullptr) {
      ReadStrings(*child, decode, table);
    } else if (child->name == "dialog") {
      ReadDialog(*child, decode, table);
    } else if (child->name == "menu") {
      const int id = IdOf(*child);
      if (id != 0) table.menus[id] = ReadMenuItems(*child, decode);
    }
  }
}

// The byte offset of the reader's error position (line and column from 1; CRs take no column).
size_t OffsetOf(std::string_view bytes, int line, int column) {
  size_t pos = 0;
  for (int at_line = 1; at_line < line && pos < bytes.size(); ++pos) {
    if (bytes[pos] == '\n') ++at_line;
  }
  for (int at_column = 1; pos < bytes.size(); ++pos) {
    if (bytes[pos] == '\r') continue;
    if (at_column == column || bytes[pos] == '\n') break;
    ++at_column;
  }
  return pos;
}

// The end of the markup that starts at `open` ('<'), just past its closing delimiter, or npos
// when it does not close within `text`.
size_t MarkupEnd(std::string_view text, size_t open) {
  auto past = [&](std::string_view closing) {
    size_t at = text.find(closing, open + 1);
    return at == std::string_view::npos ? at : at + closing.size();
  };
  std::string_view rest = text.substr(open);
  if (rest.starts_with("<!--")) return past("-->");
  if (rest.starts_with("<![CDATA[")) return past("]]>");
  if (rest.starts_with("<?")) return past("?>");
  char quote = 0;
  for (size_t i = open + 1; i < text.size(); ++i) {
    if (quote != 0) {
      if (text[i] == quote) quote = 0;
    } else if (text[i] == '"' || text[i] == '\'') {
      quote = text[i];
    } else if (text[i] == '>') {
      return i + 1;
    }
  }
  return std::string_view::npos;
}

std::string TagName(std::string_view tag) {
  size_t end = 0;
  while (end < tag.size() && tag[end] != '>' && tag[end] != '/' &&
         std::string_view(" \t\r\n").find(tag[end]) == std::string_view::npos)
    ++end;
  return std::string(tag.substr(0, end));
}

// `prefix` (the bytes before an error) cut before its last unfinished piece of markup, with the
// elements still open closed, so that it reads as the document up to the error.
std::string ClosedPrefix(std::string_view prefix) {
  std::vector<std::string> open_elements;
  size_t cut = prefix.size();
  for (size_t pos = prefix.find('<'); pos != std::string_view::npos; pos = prefix.find('<', pos)) {
    const size_t end = MarkupEnd(prefix, pos);
    if (end == std::string_view::npos) {
      cut = pos;
      break;
    }
    std::string_view tag = prefix.substr(pos + 1, end - pos - 2);
    if (tag.starts_with('/')) {
      if (!open_elements.empty()) open_elements.pop_back();
    } else if (!tag.empty() && tag[0] != '!' && tag[0] != '?' && !tag.ends_with('/')) {
      open_elements.push_back(TagName(tag));
    }
    pos = end;
  }
  std::string closed(prefix.substr(0, cut));
  for (auto it = open_elements.rbegin(); it != open_elements.rend(); ++it) {
    closed += "</" + *it + ">";
  }
  return closed;
}

}  // namespace

bool ReadTranslation(TranslationTable& table, std::string_view bytes, int file_code_page,
                     int program_code_page) {
  const TextDecoder decode{file_code_page, program_code_page};
  XMLParser::Document document;
  // The file is read as a C string: a zero byte ends it.
  std::string text(bytes.substr(0, bytes.find('\0')));
  // The whole document, or else its part before the error. A closed prefix normally reads at
  // the first retry; the bound keeps a disagreement between the two scans from looping.
  for (int attempt = 0; attempt < 3; ++attempt) {
    try {
      ReadRoot(document.ParseBuffer(text), decode, table);
      return attempt == 0;
    } catch (const XMLParser::Exception& error) {
      const size_t offset = OffsetOf(text, error.line, error.column);
      text = ClosedPrefix(std::string_view(text).substr(0, offset));
    }
  }
  return false;
}

}  // namespace tarsel
