#pragma once

// The letter shift that keeps column passwords unreadable at a glance in columns.dat. Byte i
// of the text: a..z moves forward by a fixed key amount (per i mod 4) within a..z, wrapping;
// A..Z the same within A..Z; other bytes stay. The length never changes.

#include <string>
#include <string_view>

namespace tarsel {

std::string ScramblePassword(std::string_view plain);
std::string UnscramblePassword(std::string_view scrambled);

}  // namespace tarsel
