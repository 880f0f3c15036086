#pragma once

// What the record pane shows for a record: the body HTML built from the theme's template (feed
// columns) or the record's bare content (memories columns), without Qt.
//
// Texts are bytes in the program's code page until BodyToUtf8 turns the finished body into the
// UTF-8 that leaves for the page. Feed titles and links are escaped and links with a scheme
// other than http, https, ftp and mailto are dropped (record_render_html.h); the description
// goes in as it was cleaned when the feed was read.
//
// Threads: any, but the caller keeps the column and the record still while a render reads them
// (an updating column's worker writes them under the column's lock).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/column.h"
#include "store/record.h"
#include "store/tree_node.h"

namespace tarsel {

// The template's placeholders.
inline constexpr std::string_view kPlaceholderColumnImage = "<<RSSCOLUMN.IMAGE>>";
inline constexpr std::string_view kPlaceholderColumnTitle = "<<RSSCOLUMN.TITLE>>";
inline constexpr std::string_view kPlaceholderColumnLink = "<<RSSCOLUMN.LINK>>";
inline constexpr std::string_view kPlaceholderItemLink = "<<RSSITEM.LINK>>";
inline constexpr std::string_view kPlaceholderItemTitle = "<<RSSITEM.TITLE>>";
inline constexpr std::string_view kPlaceholderItemContent = "<<RSSITEM.CONTENT>>";
inline constexpr std::string_view kPlaceholderItemComments = "<<RSSITEM.COMMENTS>>";

// A summary standing in for a missing title is shortened past this many characters.
inline constexpr size_t kShortTitleLimit = 50;

// The record's link; else its guid when that contains "http"; else empty. Not yet made safe.
std::string ItemLink(const Record& record);
// The record's title; else its plain-text summary shortened with "...". Not yet escaped.
std::string ItemTitle(const Record& record);

// The template filled for a record of `column`. Each placeholder of the template is replaced by
// its value in one pass: a value that itself holds placeholder text stays as it is, so no
// value is ever expanded twice and the work stays linear in the template and the values.
// Without a record, or while the column's last update failed, the item placeholders are empty
// and the content is the failure message.
std::string FillRecordTemplate(std::string_view template_text, const Column& column,
                               const Record* record);

// A memories record shown bare: its description, else a link to it titled with its title.
// Empty without a record.
std::string MemoriesRecordBody(const Record* record);

// The body for `record` of `column` (either may be null): the filled template for a feed
// column, the bare content for a memories column, empty for anything else or when there is no
// template (nullopt: the file could not be read).
std::string RenderRecordBody(const TreeNode* column, const Record* record,
                             const std::optional<std::string>& template_text);

// The template file: the program folder followed by "Theme/rssitem.templ".
std::string RecordTemplatePath();
// The file read whole; nullopt when it cannot be opened or read.
std::optional<std::string> ReadRecordTemplate(const std::string& path);

// The body, in the program's code page `code_page` (CodePageForSettings), converted for the page.
std::string BodyToUtf8(std::string_view body, int code_page);

// What "Blog It" takes from the shown record.
struct RecordBlogText {
  std::string subject;  // "From " + column title + ":" + record title; empty without both
  std::string body;     // HTML: the description, else a link titled with the record's title
};
RecordBlogText BlogTextOf(const TreeNode* column, const Record* record);

}  // namespace tarsel
