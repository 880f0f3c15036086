#pragma once

// The date texts of older store files, kept apart so the store's one use of the date readers
// sits in one place.

#include <cstdint>
#include <string>

namespace tarsel {

// The text form of `time` in the given FormatDate style.
std::string StoredDateText(int32_t time, int style);
// The time a stored date text stands for (the current time when it cannot be read).
int32_t StoredDateValue(const std::string& text);

}  // namespace tarsel
