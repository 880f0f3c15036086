#include "store/password_scramble.h"

#include <array>

namespace tarsel {
namespace {

// The program's fixed key. Changing it makes stored passwords read back wrong.
constexpr std::array<int, 4> kKey = {17, 5, 23, 11};

char Shift(char c, int amount) {
  if (c >= 'a' && c <= 'z') return static_cast<char>('a' + (c - 'a' + amount) % 26);
  if (c >= 'A' && c <= 'Z') return static_cast<char>('A' + (c - 'A' + amount) % 26);
  return c;
}

std::string ShiftAll(std::string_view text, bool forward) {
  std::string result(text);
  for (size_t i = 0; i < result.size(); ++i) {
    const int amount = kKey[i % kKey.size()] % 26;
    result[i] = Shift(result[i], forward ? amount : 26 - amount);
  }
  return result;
}

}  // namespace

std::string ScramblePassword(std::string_view plain) {
  return ShiftAll(plain, true);
}

std::string UnscramblePassword(std::string_view scrambled) {
  return ShiftAll(scrambled, false);
}

}  // namespace tarsel
