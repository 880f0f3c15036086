// Built-in English texts of the records list part of the desktop program.
#include "view/string_table.h"

namespace tarsel {

namespace {
// An empty table still needs one element; id 0 is never looked up.
constexpr StringEntry kStrings[] = {
    {0, ""},
};
}  // namespace

std::span<const StringEntry> RecordsListStrings() { return kStrings; }

}  // namespace tarsel
