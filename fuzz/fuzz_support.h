#pragma once

// What every fuzz target shares: the input as a string view, the encoding setting it picks,
// and a failure that libFuzzer reports as a crash with the reason on stderr.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string_view>

#include "parse/charsets/encoding_choice.h"

namespace tarsel::fuzz {

inline std::string_view Input(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Stops the run; libFuzzer keeps the input as a crash file.
// The encoding setting an input picks (its first byte, or its length, modulo 4): automatic,
// Western Europe, Cyrillic Windows, Central European.
inline EncodingChoice EncodingSetting(size_t pick) {
  constexpr EncodingChoice kSettings[] = {
      EncodingChoice::kAutomatic, EncodingChoice::kWesternEurope, EncodingChoice::kCyrillicWindows,
      EncodingChoice::kCentralEuropean};
  return kSettings[pick % std::size(kSettings)];
}

[[noreturn]] inline void Fail(std::string_view what, std::string_view detail = {}) {
  std::fprintf(stderr, "fuzz check failed: %.*s\n%.*s\n", static_cast<int>(what.size()),
               what.data(), static_cast<int>(detail.size()), detail.data());
  std::abort();
}

}  // namespace tarsel::fuzz
