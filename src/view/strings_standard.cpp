// Built-in English texts the toolkit would otherwise show in its own words: the standard dialog
// buttons and the edit menus of text fields. The window side hands them to the toolkit by these
// ids (ui/standard_texts.h), so a translation covers them too.
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    {66000, "OK"},          {66001, "Cancel"},     {66002, "&Yes"},
    {66003, "&No"},         {66004, "Apply"},      {66005, "Close"},
    {66006, "Help"},        {66007, "Save"},       {66008, "Discard"},
    {66009, "Retry"},       {66010, "Ignore"},     {66011, "Abort"},
    {66012, "Yes to &All"}, {66013, "N&o to All"}, {66014, "Reset"},
    {66015, "Open"},        {66020, "&Undo"},      {66021, "&Redo"},
    {66022, "Cu&t"},        {66023, "&Copy"},      {66024, "&Paste"},
    {66025, "Delete"},      {66026, "Select All"}, {66027, "Copy &Link Location"},
};
}  // namespace

std::span<const StringEntry> StandardStrings() {
  return kStrings;
}

}  // namespace tarsel
