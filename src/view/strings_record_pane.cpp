// Built-in English texts of the record pane, the browser tabs and the Find dialog.
#include "view/record_pane_strings.h"
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    // Find in a page.
    {kTextCannotFind, "Cannot find the string: '%s'"},
    {kTextFindCaption, "Find"},
    {kTextFindWhat, "Fi&nd what:"},
    {kTextFindWholeWord, "Match &whole word only"},
    {kTextFindMatchCase, "Match &case"},
    {kTextFindNext, "&Find Next"},
    {kTextFindCancel, "Cancel"},
    // Accessible names of the panes.
    {kTextRecordPaneName, "Record"},
    {kTextBrowserTabName, "Web page"},
    {kTextTabAreaName, "Tabs"},
    {kTextBlankTab, "(blank)"},
    {kTextComments, "(Comments)"},
};
}  // namespace

std::span<const StringEntry> RecordPaneStrings() {
  return kStrings;
}

}  // namespace tarsel
