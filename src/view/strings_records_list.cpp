// Built-in English texts of the records list, the quick views and Find RSS Items.
#include "view/records_view_model_texts.h"
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    {414, "Title"},
    {446, "Read State"},
    {447, "Received"},
    {448, "Subject"},
    {449, "Author"},
    {450, "Persistance"},
    {451, "Column is Updating"},
    {452, "No records"},
    {457, "All for last 15 minutes(Ctrl+F1)"},
    {458, "All for last hour(Ctrl+F2)"},
    {459, "All for last day(Ctrl+F3)"},
    {460, "All Unread For Last 15 Minutes(Ctrl+F4)"},
    {461, "All Unread For Last Hour(Ctrl+F5)"},
    {462, "All Unread For Last Day(Ctrl+F6)"},
    {464, "No records"},
    {465, "No records found"},
    {466, "Latest 10 unread(Ctrl+F7)"},
    {467, "Latest 100 unread(Ctrl+F8)"},
    {470, "Search Result"},
    {434, "Channel Description"},
    {435, "Column"},
    {kTextEmptyCell, "(empty)"},
    {kTextNoItems, "There are no items to show in this view."},
    {kTextSortBy, "Sort by: %s"},
    {kTextDeletePersistent, "This Record Marked As A Persistant Record.\n Delete it anyway?"},
    {kTextDeletePersistentCaption, "Persistant Record"},
    {kTextMarkItemRead, "Mark Item Read\tAlt+M"},
    {kTextMarkItemUnread, "Mark Item Unread\tAlt+U"},
    {kTextPersisted, "Persisted\tAlt+P"},
    {kTextMarkAllRead, "Mark All Items As Read\t Ctrl-M"},
    {kTextMarkAllUnread, "Mark All Items As Unread\t Ctrl-U"},
    {kTextCopyToClipboard, "Copy To Clipboard"},
    {kTextBlogIt, "Blog It"},
    {kTextNewMemoriesColumn, "New Memories Column"},
    {kTextShowTitle, "Show Title"},
    {kTextShowReceived, "Show Received Date"},
    {kTextShowAuthor, "Show Author"},
    {kTextShowSubject, "Show Subject"},
    {kTextFindRecords, "Find RSS Items"},
    {kTextFindItemsWhere, "Find Items Where"},
    {kTextOnlyUnread, "Look only in unread items"},
    {kTextWholeWord, "Match Whole Word"},
    {kTextMatchCase, "Match Case"},
    {kTextFind, "Find"},
    {kTextCancel, "Cancel"},
    {kTextAllFields, "All Fields"},
    {kTextAnyFields, "Any Fields"},
    {kTextFieldTitle, "Title"},
    {kTextItemContent, "Item Content"},
    {kTextFieldLink, "Link"},
    {kTextContains, "contains"},
    {kTextNotContains, "dosn't contains"},
    {kTextRecordsListName, "Records list"},
    {kTextQuickViewsName, "Quick views"},
    {kTextFindText, "Text to find"},
    {kTextFindField, "Field"},
    {kTextFindCondition, "Condition"},
};
}  // namespace

std::span<const StringEntry> RecordsListStrings() {
  return kStrings;
}

}  // namespace tarsel
