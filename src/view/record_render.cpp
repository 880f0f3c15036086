#include "view/record_render.h"

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>

#include "net/download/failure_code.h"
#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/text_cleanup.h"
#include "platform/folders.h"
#include "platform/system_code_page.h"
#include "view/record_pane_strings.h"
#include "view/record_render_html.h"
#include "view/record_title_text.h"
#include "view/string_table.h"

namespace tarsel {
namespace {

// The reader's page rarely needs more; reserving it spares the regrowth of a typical record.
constexpr size_t kReservedBodySize = 25000;

struct Substitution {
  std::string_view placeholder;
  std::string owned;
  std::string_view value;  // `owned`, or a text that outlives the fill (the description)
};

using Substitutions = std::array<Substitution, 7>;

void SetOwned(Substitution& substitution, std::string value) {
  substitution.owned = std::move(value);
  substitution.value = substitution.owned;
}

std::string ColumnImage(const Column& column) {
  const std::string source = SafeLinkAttribute(column.channel.image_url);
  if (source.empty()) return {};
  return "<img src=\"" + source + "\" align=right/>";
}

std::string Comments(const Record& record) {
  const std::string link = SafeLinkAttribute(record.comments);
  if (link.empty()) return {};
  // A translation is anyone's file: its words are text here, never markup.
  return "<a href=\"" + link + "\">" + EscapeHtml(GetText(kTextComments)) + "</a>";
}

// Substitutions must outlive the fill: `value` may point into `record`.
void FillItemValues(const Column& column, const Record* record, Substitutions& values) {
  const int32_t failure = column.last_result.load();
  if (record == nullptr || failure != kFailureNone) {
    if (failure != kFailureNone) SetOwned(values[5], FailureMessageHtml(failure));
    return;
  }
  SetOwned(values[3], SafeLinkAttribute(ItemLink(*record)));
  SetOwned(values[4], EscapeHtml(RecordTitleText(ItemTitle(*record))));
  if (!record->description.empty()) {
    values[5].value = record->description;
  } else {
    std::string anchor;
    AppendSafeAnchor(record->link, RecordTitleText(record->title), anchor);
    SetOwned(values[5], std::move(anchor));
  }
  SetOwned(values[6], Comments(*record));
}

// The substitution whose placeholder starts at `text[position]`; null for none.
const Substitution* PlaceholderAt(std::string_view text, size_t position,
                                  const Substitutions& values) {
  for (const Substitution& substitution : values) {
    if (text.substr(position, substitution.placeholder.size()) == substitution.placeholder) {
      return &substitution;
    }
  }
  return nullptr;
}

std::string ReplaceAll(std::string_view text, const Substitutions& values) {
  size_t values_size = 0;
  for (const Substitution& substitution : values) values_size += substitution.value.size();
  std::string out;
  out.reserve(std::max(kReservedBodySize, text.size() + values_size));
  size_t copied = 0;
  for (size_t position = text.find("<<"); position != std::string_view::npos;
       position = text.find("<<", position)) {
    const Substitution* found = PlaceholderAt(text, position, values);
    if (found == nullptr) {
      ++position;
      continue;
    }
    out.append(text.substr(copied, position - copied));
    out.append(found->value);
    position += found->placeholder.size();
    copied = position;
  }
  out.append(text.substr(copied));
  return out;
}

void AppendRecordContent(const Record& record, std::string& out) {
  if (!record.description.empty()) {
    out += record.description;
  } else {
    AppendSafeAnchor(record.link, RecordTitleText(record.title), out);
  }
}

}  // namespace

std::string ItemLink(const Record& record) {
  if (!record.link.empty()) return record.link;
  if (!record.guid.empty() && record.guid.find("http") != std::string::npos) return record.guid;
  return {};
}

std::string ItemTitle(const Record& record) {
  if (!record.title.empty()) return record.title;
  return ShortenText(record.summary, kShortTitleLimit);
}

std::string FillRecordTemplate(std::string_view template_text, const Column& column,
                               const Record* record) {
  Substitutions values = {{{kPlaceholderColumnImage, {}, {}},
                           {kPlaceholderColumnTitle, {}, {}},
                           {kPlaceholderColumnLink, {}, {}},
                           {kPlaceholderItemLink, {}, {}},
                           {kPlaceholderItemTitle, {}, {}},
                           {kPlaceholderItemContent, {}, {}},
                           {kPlaceholderItemComments, {}, {}}}};
  SetOwned(values[0], ColumnImage(column));
  SetOwned(values[1], EscapeHtml(column.DisplayName()));
  SetOwned(values[2], SafeLinkAttribute(column.channel.link));
  FillItemValues(column, record, values);
  return ReplaceAll(template_text, values);
}

std::string MemoriesRecordBody(const Record* record) {
  std::string out;
  if (record != nullptr) AppendRecordContent(*record, out);
  return out;
}

std::string RenderRecordBody(const TreeNode* column, const Record* record,
                             const std::optional<std::string>& template_text) {
  if (column == nullptr) return {};
  switch (column->Kind()) {
    case NodeKind::kColumn:
      if (!template_text) return {};
      return FillRecordTemplate(*template_text, static_cast<const Column&>(*column), record);
    case NodeKind::kMemoriesColumn:
      return MemoriesRecordBody(record);
    default:
      return {};
  }
}

std::string RecordTemplatePath() {
  return ProgramFolder() + "Theme/rssitem.templ";
}

std::optional<std::string> ReadRecordTemplate(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream contents;
  contents << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return std::move(contents).str();
}

std::string BodyToUtf8(std::string_view body, int code_page) {
  return CodePageToUtf8(body, code_page);
}

RecordBlogText BlogTextOf(const TreeNode* column, const Record* record) {
  RecordBlogText text;
  if (record == nullptr) return text;
  if (column != nullptr) text.subject = "From " + column->DisplayName() + ":" + record->title;
  AppendRecordContent(*record, text.body);
  return text;
}

}  // namespace tarsel
