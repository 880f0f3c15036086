#include "view/dropped_column.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "platform/blank_trim.h"
#include "view/main_window_text.h"
#include "view/string_table.h"
#include "view/text_format.h"

namespace tarsel {
namespace {

bool IsFeedAddress(std::string_view url) {
  constexpr std::array<std::string_view, 3> kEndings{".rss", ".rdf", ".xml"};
  for (std::string_view ending : kEndings) {
    if (url.size() > ending.size() && url.ends_with(ending)) return true;
  }
  return false;
}

}  // namespace

DropResult AddDroppedColumn(ColumnTree& tree, const std::string& dropped_text,
                            const NewColumnDefaults& defaults) {
  DropResult result;
  const std::string url(TrimBlanks(dropped_text));
  if (!IsFeedAddress(url)) return result;
  if (tree.FindColumnByUrl(url)) {
    result.outcome = DropOutcome::kDuplicate;
    result.message = FillText(GetText(text::kDuplicateUrl), url);
    return result;
  }
  auto column = std::make_shared<Column>(defaults);
  column->name = GetText(text::kDroppedColumnName);
  column->url = url;
  tree.AddColumn(column);
  result.outcome = DropOutcome::kAdded;
  result.column = std::move(column);
  return result;
}

}  // namespace tarsel
