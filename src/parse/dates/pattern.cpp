// Searching runs the compiled program as a backtracking machine with an explicit stack, in the
// priority order the pattern defines. Each (instruction, text position) state is explored at
// most once per search: a state that failed once fails again whatever the captures hold, and a
// state met again on the current path is an empty loop. This keeps every search linear in the
// text length and stops patterns such as "(a*)*" from looping.

#include "parse/dates/pattern.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarsel {

namespace {

// Upper bound on instruction × position states of one search (one bit each: 32 MiB).
constexpr size_t kMaxSearchStates = size_t{1} << 28;

// A pending branch to explore, or (restore_slot >= 0) a capture slot to put back when the
// search backtracks past the instruction that set it.
struct Job {
  int32_t pc;
  int32_t restore_slot;
  size_t position;
};

class VisitedStates {
 public:
  VisitedStates(size_t instructions, size_t positions)
      : positions_(positions), bits_((instructions * positions + 63) / 64) {}

  // True when the state was seen before; marks it seen.
  bool TestAndSet(int32_t pc, size_t position) {
    const size_t index = static_cast<size_t>(pc) * positions_ + position;
    uint64_t& word = bits_[index / 64];
    const uint64_t bit = uint64_t{1} << (index % 64);
    const bool seen = (word & bit) != 0;
    word |= bit;
    return seen;
  }

 private:
  size_t positions_;
  std::vector<uint64_t> bits_;
};

}  // namespace

std::string_view MatchResult::Group(std::string_view text, size_t index) const {
  if (index >= groups.size() || !groups[index].matched()) return {};
  const MatchSpan& span = groups[index];
  if (span.end > text.size() || span.begin > span.end) return {};
  return text.substr(span.begin, span.end - span.begin);
}

bool Pattern::Search(std::string_view text, MatchResult& result) const {
  result.groups.assign(group_count_, MatchSpan{});
  result.whole = MatchSpan{};
  const size_t positions = text.size() + 1;
  if (program_.empty() || positions > kMaxSearchStates / program_.size()) return false;

  VisitedStates visited(program_.size(), positions);
  std::vector<size_t> slots(2 * group_count_, MatchSpan::kAbsent);
  std::vector<Job> stack;
  // Room for the branches of a short text (a date), so that the stack does not grow step by step.
  stack.reserve(64);
  for (size_t start = 0; start < positions; ++start) {
    stack.push_back({0, -1, start});
    while (!stack.empty()) {
      const Job job = stack.back();
      stack.pop_back();
      if (job.restore_slot >= 0) {
        slots[static_cast<size_t>(job.restore_slot)] = job.position;
        continue;
      }
      int32_t pc = job.pc;
      size_t sp = job.position;
      while (!visited.TestAndSet(pc, sp)) {
        const Instruction& step = program_[static_cast<size_t>(pc)];
        if (step.op == Op::kMatch) {
          for (size_t g = 0; g < group_count_; ++g) {
            if (slots[2 * g] == MatchSpan::kAbsent || slots[2 * g + 1] == MatchSpan::kAbsent) {
              continue;
            }
            result.groups[g] = {slots[2 * g], slots[2 * g + 1]};
          }
          result.whole = {start, sp};
          return true;
        }
        if (step.op == Op::kSplit) {
          stack.push_back({step.other, -1, sp});
          pc = step.arg;
          continue;
        }
        if (step.op == Op::kJump) {
          pc = step.arg;
          continue;
        }
        if (step.op == Op::kSave) {
          stack.push_back({0, step.arg, slots[static_cast<size_t>(step.arg)]});
          slots[static_cast<size_t>(step.arg)] = sp;
          ++pc;
          continue;
        }
        // The remaining steps each consume one byte.
        if (sp >= text.size()) break;
        const auto byte = static_cast<unsigned char>(text[sp]);
        const bool accepted = step.op == Op::kAny || (step.op == Op::kByte && byte == step.byte) ||
                              (step.op == Op::kSet && sets_[static_cast<size_t>(step.arg)][byte]);
        if (!accepted) break;
        ++pc;
        ++sp;
      }
    }
  }
  return false;
}

}  // namespace tarsel
