// Built-in English texts the toolkit would otherwise show in its own words: the standard dialog
// buttons and the edit menus of text fields. The window side hands them to the toolkit by these
// ids (ui/standard_texts.h), so a translation covers them too.
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    {65000, "OK"},          {65001, "Cancel"},     {65002, "&Yes"},
    {65003, "&No"},         {65004, "Apply"},      {65005, "Close"},
    {65006, "Help"},        {65007, "Save"},       {65008, "Discard"},
    {65009, "Retry"},       {65010, "Ignore"},     {65011, "Abort"},
    {65012, "Yes to &All"}, {65013, "N&o to All"}, {65014, "Reset"},
    {65015, "Open"},        {65020, "&Undo"},      {65021, "&Redo"},
    {65022, "Cu&t"},        {65023, "&Copy"},      {65024, "&Paste"},
    {65025, "Delete"},      {65026, "Select All"}, {65027, "Copy &Link Location"},
};
}  // namespace

std::span<const StringEntry> StandardStrings() {
  return kStrings;
}

}  // namespace tarsel
