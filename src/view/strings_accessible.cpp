// Built-in English names of the panes and controls that show no text of their own.
#include "view/accessible_texts.h"
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    {text::kAccessibleMainSplitter, "Main splitter"},
    {text::kAccessibleMenuBar, "Menu bar"},
    {text::kAccessibleToolbar, "Toolbar"},
    {text::kAccessibleQuickViews, "Quick views"},
    {text::kAccessibleStatusBar, "Status bar"},
    {text::kAccessibleStatus, "Status"},
    {text::kAccessibleTreesSplitter, "Trees splitter"},
    {text::kAccessibleRecords, "Records"},
    {text::kAccessibleRecord, "Record"},
    {text::kAccessibleRecordsSplitter, "Records splitter"},
    {text::kAccessibleTabs, "Tabs"},
    {text::kAccessibleAnimation, "Animation"},
    {text::kAccessibleBlogTabs, "Blog editor tabs"},
    {text::kAccessibleBlogToolbar, "Blog toolbar"},
    {text::kAccessibleSearchProgress, "Search progress"},
    {text::kAccessibleSearchStatus, "Search status"},
    {text::kAccessibleUnread, "Unread"},
    {text::kAccessibleRead, "Read"},
    {text::kAccessibleNew, "New"},
    {text::kAccessiblePersistent, "Persistent"},
    {text::kAccessibleNotPersistent, "Not persistent"},
};
}  // namespace

std::span<const StringEntry> AccessibleStrings() {
  return kStrings;
}

}  // namespace tarsel
