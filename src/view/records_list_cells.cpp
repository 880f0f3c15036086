#include "view/records_list_cells.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "parse/dates/date_format.h"
#include "platform/utf8_text.h"
#include "view/accessible_texts.h"
#include "view/record_title_text.h"
#include "view/records_view_model_texts.h"
#include "view/string_table.h"

namespace tarsel {
namespace {

constexpr std::array<RecordsColumnInfo, kRecordsColumnCount> kColumns = {{
    {kTextHeaderReadState, "read", nullptr, 0},
    {kTextHeaderTitle, "title", "title", 40248},
    {kTextHeaderReceived, "received", "received", 40249},
    {kTextHeaderSubject, "author", "subject", 40251},
    {kTextHeaderAuthor, "subject", "author", 40250},
    {kTextHeaderPersistence, "persistant", nullptr, 0},
}};

const std::string& FieldOf(const Record& record, int column) {
  static const std::string kNone;
  switch (column) {
    case kTitleColumn:
      return record.title;
    case kSubjectColumn:
      return record.subject;
    case kAuthorColumn:
      return record.author;
    default:
      return kNone;
  }
}

// The byte length of the first `characters` characters of `text`.
size_t CharacterPrefixBytes(const std::string& text, size_t characters) {
  return Utf8Prefix(text, characters).size();
}

}  // namespace

const RecordsColumnInfo& ColumnInfo(int column) {
  return kColumns[static_cast<size_t>(std::clamp(column, 0, kRecordsColumnCount - 1))];
}

int ColumnOfShowCommand(int command_id) {
  for (int column = 0; column < kRecordsColumnCount; ++column) {
    if (command_id != 0 && kColumns[static_cast<size_t>(column)].show_command_id == command_id) {
      return column;
    }
  }
  return -1;
}

std::string RecordDateText(int32_t published) {
  if (published <= 0) return GetText(kTextEmptyCell);
  std::string text = FormatRecordStamp(published);
  return text.empty() ? GetText(kTextEmptyCell) : text;
}

std::string CellText(const Record& record, int column) {
  if (column == kReceivedColumn) return RecordDateText(record.published);
  if (column == kReadStateColumn || column == kPersistenceColumn) return {};
  const std::string& field = FieldOf(record, column);
  if (field.empty()) return GetText(kTextEmptyCell);
  return column == kTitleColumn ? RecordTitleText(field) : field;
}

int CellIcon(const Record& record, int column) {
  if (column == kReadStateColumn) return record.unread ? kIconUnread : kIconRead;
  if (column == kPersistenceColumn) return record.persistent ? kIconPersistent : kIconNotPersistent;
  return -1;
}

std::string CellAccessibleText(const Record& record, int column) {
  if (column == kReadStateColumn) {
    if (!record.unread) return GetText(text::kAccessibleRead);
    return GetText(record.is_new ? text::kAccessibleNew : text::kAccessibleUnread);
  }
  if (column == kPersistenceColumn) {
    return GetText(record.persistent ? text::kAccessiblePersistent
                                     : text::kAccessibleNotPersistent);
  }
  return CellText(record, column);
}

std::string DescriptionText(const Record& record, const Settings& settings) {
  if (!settings.descriptions_show || record.summary.empty()) return {};
  size_t limit = kDescriptionCeiling;
  if (settings.descriptions_limitsymbols) {
    limit = std::min(limit, static_cast<size_t>(std::max(settings.descriptions_symbols, 0)));
  }
  const size_t cut = CharacterPrefixBytes(record.summary, limit);
  if (cut >= record.summary.size()) return record.summary;
  std::string text = record.summary.substr(0, cut);
  text += "...";
  return text;
}

std::string SortTooltip(int column) {
  std::string format = GetText(kTextSortBy);
  const size_t at = format.find("%s");
  const std::string header = GetText(ColumnInfo(column).header_text_id);
  if (at == std::string::npos) return format;
  return format.replace(at, 2, header);
}

void SortRowsByColumn(std::vector<RecordsRow>& rows, int column, bool ascending) {
  // Keys are made once: the date text needs a local-time conversion per row.
  std::vector<std::string> texts(rows.size());
  std::vector<int> icons(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    texts[i] = CellText(*rows[i].record, column);
    icons[i] = CellIcon(*rows[i].record, column);
  }
  std::vector<size_t> order(rows.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const bool by_text = !texts[a].empty() || !texts[b].empty();
    const int compared = by_text ? texts[a].compare(texts[b]) : (icons[a] - icons[b]);
    return ascending ? compared < 0 : compared > 0;
  });
  std::vector<RecordsRow> sorted;
  sorted.reserve(rows.size());
  for (size_t index : order) sorted.push_back(std::move(rows[index]));
  rows = std::move(sorted);
}

}  // namespace tarsel
