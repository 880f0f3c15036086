// Built-in English texts of the tray part of the desktop program.
#include "view/string_table.h"

namespace tarsel {

namespace {
// An empty table still needs one element; id 0 is never looked up.
constexpr StringEntry kStrings[] = {
    {0, ""},
};
}  // namespace

std::span<const StringEntry> TrayStrings() { return kStrings; }

}  // namespace tarsel
