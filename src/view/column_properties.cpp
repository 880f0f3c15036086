#include "view/column_properties.h"

#include <array>
#include <utility>

#include "view/dialog_text_ids.h"
#include "view/string_table.h"

namespace tarsel {

ColumnProperties ReadColumnProperties(const Column& column) {
  ColumnProperties properties;
  properties.name = column.name;
  properties.url = column.url;
  properties.login = column.login;
  properties.password = column.password;
  properties.use_title_from_rss = column.use_title_from_rss;
  properties.update_interval = column.update_interval;
  properties.update_on_start = column.update_on_start;
  properties.play_sound = column.play_sound;
  properties.filters = column.filters;
  properties.auto_save = column.auto_save;
  properties.auto_save_path = column.auto_save_path;
  properties.run_program = column.run_program;
  properties.program_path = column.program_path;
  properties.send_mail = column.send_mail;
  properties.include_body = column.include_body;
  properties.mail_address = column.mail_address;
  properties.archive = {column.archive_enabled, column.archive_by_count, column.archive_depth};
  return properties;
}

bool ApplyColumnProperties(const ColumnProperties& properties, Column& column) {
  const bool changed = column.name != properties.name || column.url != properties.url ||
                       column.login != properties.login || column.password != properties.password ||
                       column.use_title_from_rss != properties.use_title_from_rss ||
                       column.filters != properties.filters;
  column.name = properties.name;
  column.url = properties.url;
  column.login = properties.login;
  column.password = properties.password;
  column.use_title_from_rss = properties.use_title_from_rss;
  column.update_interval = std::max(properties.update_interval, 0);
  column.update_on_start = properties.update_on_start;
  column.play_sound = properties.play_sound;
  column.filters = properties.filters;
  column.auto_save = properties.auto_save;
  column.auto_save_path = properties.auto_save_path;
  column.run_program = properties.run_program;
  column.program_path = properties.program_path;
  column.send_mail = properties.send_mail;
  column.include_body = properties.include_body;
  column.mail_address = properties.mail_address;
  column.archive_enabled = properties.archive.enabled;
  column.archive_by_count = properties.archive.by_count;
  column.archive_depth = std::max(properties.archive.depth, 0);
  return changed;
}

std::string CheckColumnUrl(const ColumnTree& tree, const Column* self, const std::string& url) {
  const UrlFieldProblem problem = CheckUrlField(url);
  if (problem != UrlFieldProblem::kNone) return GetText(UrlProblemTextId(problem));
  std::shared_ptr<Column> owner = tree.FindColumnByUrl(url);
  if (owner && owner.get() != self) return DuplicateUrlMessage(url);
  return {};
}

IntervalControls AlertIntervalControls(const ColumnProperties& properties) {
  return IntervalToControls(properties.update_interval);
}

namespace {
constexpr std::array<int32_t, 5> kFieldByPosition = {kFilterAllFields, kFilterAnyField,
                                                     kFilterTitle, kFilterDescription, kFilterLink};
}  // namespace

int FilterFieldPosition(int32_t field) {
  for (size_t i = 0; i < kFieldByPosition.size(); ++i) {
    if (kFieldByPosition[i] == field) return static_cast<int>(i);
  }
  return 1;  // an unknown stored value shows as "Any Fields", the default of a new rule
}

int32_t FilterFieldFromPosition(int position) {
  if (position < 0 || position >= static_cast<int>(kFieldByPosition.size())) return kFilterAnyField;
  return kFieldByPosition[static_cast<size_t>(position)];
}

int32_t FilterConditionFromPosition(int position) {
  return position == kFilterNotContains ? kFilterNotContains : kFilterContains;
}

int32_t FilterActionFromPosition(int position) {
  return position >= kFilterAccept && position <= kFilterMarkRead ? position : kFilterAccept;
}

namespace {
bool InRange(const std::vector<FilterRule>& filters, int index) {
  return index >= 0 && index < static_cast<int>(filters.size());
}
}  // namespace

bool RemoveFilter(std::vector<FilterRule>& filters, int index) {
  if (!InRange(filters, index)) return false;
  filters.erase(filters.begin() + index);
  return true;
}

bool MoveFilterUp(std::vector<FilterRule>& filters, int index) {
  if (!InRange(filters, index) || index == 0) return false;
  std::swap(filters[static_cast<size_t>(index)], filters[static_cast<size_t>(index - 1)]);
  return true;
}

bool MoveFilterDown(std::vector<FilterRule>& filters, int index) {
  if (!InRange(filters, index + 1) || index < 0) return false;
  std::swap(filters[static_cast<size_t>(index)], filters[static_cast<size_t>(index + 1)]);
  return true;
}

int SetUpdateInterval(const std::vector<std::shared_ptr<Column>>& columns, int32_t interval,
                      bool update_on_start, bool play_sound) {
  int changed = 0;
  for (const auto& column : columns) {
    if (!column || column->Busy()) continue;
    column->update_interval = std::max(interval, 0);
    column->update_on_start = update_on_start;
    column->play_sound = play_sound;
    ++changed;
  }
  return changed;
}

int SetArchiving(const std::vector<std::shared_ptr<Column>>& columns, const ArchiveChoice& choice) {
  int changed = 0;
  for (const auto& column : columns) {
    if (!column || column->Busy()) continue;
    column->archive_enabled = choice.enabled;
    column->archive_by_count = choice.by_count;
    column->archive_depth = std::max(choice.depth, 0);
    ++changed;
  }
  return changed;
}

}  // namespace tarsel
