#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarsel {

// Where one capture group (or the whole match) lies in the searched text, as byte offsets.
// Both offsets are kAbsent when the group took no part in the match.
struct MatchSpan {
  static constexpr size_t kAbsent = static_cast<size_t>(-1);
  size_t begin = kAbsent;
  size_t end = kAbsent;

  bool matched() const { return begin != kAbsent; }
};

// The outcome of one search. The caller owns it, so one compiled pattern can be searched by any
// number of threads at once.
struct MatchResult {
  std::vector<MatchSpan> groups;  // indexed by group number, in the order of the opening braces
  MatchSpan whole;

  // The text of group `index` inside `text` (the text that was searched); empty when the group
  // is absent or out of range.
  std::string_view Group(std::string_view text, size_t index) const;
};

// A compiled pattern of the program's small pattern dialect:
//   ordinary bytes match themselves; '.' any byte; "[a-z0-9]" and "[^...]" byte sets;
//   '*', '+', '?' greedy repeats, with a trailing '?' ("*?") lazy; "(...)" groups,
//   "{...}" groups that capture; '|' alternatives; '\' before one of "[].{}()?*+\|" is that
//   byte itself; '\' before a, b, c, d, h, n, q, w, z stands for the abbreviations
//   (b is one blank or tab, d one digit, z digits, w letters, a one letter or digit, c one
//   letter, h one hex digit, n a line end, q a quoted string); '\' before any other byte is
//   that byte.
// Searching tries each start position in turn; at the first position that matches, the first
// successful path in backtracking order wins. The text need not match up to its end.
//
// Texts are bytes in any code page; zero bytes are ordinary bytes. A search takes time and
// memory linear in the text length (each pattern state is tried once per text position).
// Immutable once compiled: safe to share between threads.
class Pattern {
 public:
  // nullopt when the pattern text is malformed (unbalanced brackets, a repeat with nothing to
  // repeat, nesting deeper than a few hundred levels).
  static std::optional<Pattern> Compile(std::string_view pattern_text, bool case_sensitive = true);

  // True and `result` filled when the pattern occurs in `text`; false (and `result` cleared)
  // otherwise, also when the text is too long to search within the memory budget.
  bool Search(std::string_view text, MatchResult& result) const;

  size_t group_count() const { return group_count_; }
  bool case_sensitive() const { return case_sensitive_; }

 private:
  friend class PatternCompiler;
  Pattern() = default;

  enum class Op : uint8_t { kByte, kAny, kSet, kSplit, kJump, kSave, kMatch };
  // One step of the compiled program. Jump targets are absolute instruction indices.
  struct Instruction {
    Op op = Op::kMatch;
    uint8_t byte = 0;   // kByte
    int32_t arg = 0;    // kSet: set index; kSave: slot; kSplit/kJump: preferred target
    int32_t other = 0;  // kSplit: the target tried on backtracking
  };

  std::vector<Instruction> program_;
  std::vector<std::bitset<256>> sets_;
  size_t group_count_ = 0;
  bool case_sensitive_ = true;
};

}  // namespace tarsel
