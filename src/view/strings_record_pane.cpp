// Built-in English texts of the record pane, the browser tabs and the Find dialog.
#include "view/record_pane_strings.h"
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    // Selection menu 341.
    {40239, "Blog Selection"},
    {40240, "Copy Selection"},
    {40276, "New Memories Column"},
    {kTextToMemories, "To Memories"},
    // Browser tab menu 305.
    {32796, "Close Window\t Ctrl+W"},
    {32797, "Copy Link Address"},
    {32873, "Open In External Browser"},
    {32798, "Close All"},
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
};
}  // namespace

std::span<const StringEntry> RecordPaneStrings() {
  return kStrings;
}

}  // namespace tarsel
