// Turns pattern text into the instruction list that Pattern::Search runs.
//
// The parser builds fragments whose jump targets are offsets relative to the instruction that
// holds them, so fragments can be nested and concatenated by plain copying; the finished
// program gets absolute targets at the end.

#include <string_view>
#include <utility>

#include "parse/dates/pattern.h"

namespace tarsel {

namespace {

// Case folding is ASCII only: bytes of the code page above 127 always match exactly.
int AsciiLower(int byte) {
  return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}
int AsciiUpper(int byte) {
  return byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte;
}

// Patterns come from the program itself, but a bound keeps a faulty one from exhausting the
// stack.
constexpr int kMaxNesting = 200;

// The expansions of '\' followed by a letter. Each is itself pattern text of this dialect.
std::string_view Abbreviation(char letter) {
  switch (letter) {
    case 'a':
      return "([a-zA-Z0-9])";
    case 'b':
      return "([ \t])";
    case 'c':
      return "([a-zA-Z])";
    case 'd':
      return "([0-9])";
    case 'h':
      return "([0-9a-fA-F])";
    case 'n':
      return "(\r|(\r?\n))";
    case 'q':
      return "((\"[^\"]*\")|('[^']*'))";
    case 'w':
      return "([a-zA-Z]+)";
    case 'z':
      return "([0-9]+)";
    default:
      return {};
  }
}

}  // namespace

class PatternCompiler {
 public:
  PatternCompiler(std::string_view text, bool case_sensitive, Pattern& out)
      : text_(text), case_sensitive_(case_sensitive), out_(out) {}

  bool Run() {
    Fragment body;
    if (!ParseAlternation(body, 0) || pos_ != text_.size()) return false;
    body.push_back({Op::kMatch});
    for (size_t i = 0; i < body.size(); ++i) {
      if (body[i].op == Op::kSplit || body[i].op == Op::kJump) {
        body[i].arg += static_cast<int32_t>(i);
        body[i].other += static_cast<int32_t>(i);
      }
    }
    out_.program_ = std::move(body);
    out_.case_sensitive_ = case_sensitive_;
    return true;
  }

 private:
  using Op = Pattern::Op;
  using Instruction = Pattern::Instruction;
  using Fragment = std::vector<Instruction>;

  static Instruction Branch(Op op, size_t preferred, size_t other = 0) {
    return {op, 0, static_cast<int32_t>(preferred), static_cast<int32_t>(other)};
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }

  // Alternatives separated by '|', up to a closing bracket or the end of the text; appended
  // to `out`.
  bool ParseAlternation(Fragment& out, int depth) {
    if (depth > kMaxNesting) return false;
    std::vector<Fragment> alternatives(1);
    if (!ParseSequence(alternatives.back(), depth)) return false;
    while (!AtEnd() && Peek() == '|') {
      ++pos_;
      alternatives.emplace_back();
      if (!ParseSequence(alternatives.back(), depth)) return false;
    }
    // split(first, next); first; jump(end); split(second, next); second; jump(end); ... last
    size_t total = 0;
    for (const Fragment& alternative : alternatives) total += alternative.size() + 2;
    total -= 2;
    const size_t base = out.size();
    for (size_t i = 0; i < alternatives.size(); ++i) {
      const Fragment& alternative = alternatives[i];
      const bool last = i + 1 == alternatives.size();
      if (!last) out.push_back(Branch(Op::kSplit, 1, alternative.size() + 2));
      out.insert(out.end(), alternative.begin(), alternative.end());
      if (!last) out.push_back(Branch(Op::kJump, base + total - out.size()));
    }
    return true;
  }

  bool ParseSequence(Fragment& out, int depth) {
    while (!AtEnd() && Peek() != '|' && Peek() != ')' && Peek() != '}') {
      Fragment item;
      if (!ParseAtom(item, depth)) return false;
      while (!AtEnd() && (Peek() == '*' || Peek() == '+' || Peek() == '?')) {
        const char quantifier = text_[pos_++];
        const bool lazy = !AtEnd() && Peek() == '?';
        if (lazy) ++pos_;
        Repeat(item, quantifier, lazy);
      }
      out.insert(out.end(), item.begin(), item.end());
    }
    return true;
  }

  static void Repeat(Fragment& item, char quantifier, bool lazy) {
    const size_t size = item.size();
    if (quantifier == '+') {
      // item; split(back to item, on)
      const int32_t back = -static_cast<int32_t>(size);
      item.push_back(lazy ? Instruction{Op::kSplit, 0, 1, back}
                          : Instruction{Op::kSplit, 0, back, 1});
      return;
    }
    // '*': split(item, past the loop); item; jump(back to split).  '?': no jump.
    const size_t past = quantifier == '*' ? size + 2 : size + 1;
    item.insert(item.begin(), lazy ? Branch(Op::kSplit, past, 1) : Branch(Op::kSplit, 1, past));
    if (quantifier == '*') item.push_back({Op::kJump, 0, -static_cast<int32_t>(size + 1), 0});
  }

  bool ParseAtom(Fragment& out, int depth) {
    const char c = text_[pos_++];
    switch (c) {
      case '*':
      case '+':
      case '?':
        return false;  // nothing to repeat
      case '.':
        out.push_back({Op::kAny});
        return true;
      case '[':
        return ParseSet(out);
      case '(':
        return ParseGroup(out, depth, ')');
      case '{': {
        const auto slot = static_cast<int32_t>(2 * out_.group_count_++);
        out.push_back({Op::kSave, 0, slot, 0});
        if (!ParseGroup(out, depth, '}')) return false;
        out.push_back({Op::kSave, 0, slot + 1, 0});
        return true;
      }
      case '\\':
        return ParseEscape(out, depth);
      default:
        AddByte(out, c);
        return true;
    }
  }

  bool ParseGroup(Fragment& out, int depth, char closer) {
    if (!ParseAlternation(out, depth + 1)) return false;
    if (AtEnd() || Peek() != closer) return false;
    ++pos_;
    return true;
  }

  bool ParseEscape(Fragment& out, int depth) {
    if (AtEnd()) {  // a lone trailing backslash stands for itself
      AddByte(out, '\\');
      return true;
    }
    const char c = text_[pos_++];
    const std::string_view expansion = Abbreviation(c);
    if (expansion.empty()) {
      AddByte(out, c);
      return true;
    }
    const std::string_view saved_text = std::exchange(text_, expansion);
    const size_t saved_pos = std::exchange(pos_, 0);
    const bool ok = ParseAlternation(out, depth + 1) && AtEnd();
    text_ = saved_text;
    pos_ = saved_pos;
    return ok;
  }

  // "[...]" or "[^...]"; ranges "a-z"; '\' makes the next byte literal.
  bool ParseSet(Fragment& out) {
    std::bitset<256> set;
    const bool negated = !AtEnd() && Peek() == '^';
    if (negated) ++pos_;
    while (!AtEnd() && Peek() != ']') {
      int low = 0;
      if (!TakeSetByte(low)) return false;
      int high = low;
      if (pos_ + 1 < text_.size() && Peek() == '-' && text_[pos_ + 1] != ']') {
        ++pos_;
        if (!TakeSetByte(high) || high < low) return false;
      }
      for (int b = low; b <= high; ++b) AddToSet(set, b);
    }
    if (AtEnd()) return false;
    ++pos_;
    if (negated) set.flip();
    out.push_back({Op::kSet, 0, static_cast<int32_t>(out_.sets_.size()), 0});
    out_.sets_.push_back(set);
    return true;
  }

  bool TakeSetByte(int& byte) {
    if (Peek() == '\\') ++pos_;
    if (AtEnd()) return false;
    byte = static_cast<unsigned char>(text_[pos_++]);
    return true;
  }

  void AddToSet(std::bitset<256>& set, int byte) const {
    set.set(static_cast<size_t>(byte));
    if (!case_sensitive_) {
      set.set(static_cast<size_t>(AsciiLower(byte)));
      set.set(static_cast<size_t>(AsciiUpper(byte)));
    }
  }

  void AddByte(Fragment& out, char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (case_sensitive_ || AsciiLower(byte) == AsciiUpper(byte)) {
      out.push_back({Op::kByte, byte, 0, 0});
      return;
    }
    std::bitset<256> set;
    AddToSet(set, byte);
    out.push_back({Op::kSet, 0, static_cast<int32_t>(out_.sets_.size()), 0});
    out_.sets_.push_back(set);
  }

  std::string_view text_;
  size_t pos_ = 0;
  bool case_sensitive_;
  Pattern& out_;
};

std::optional<Pattern> Pattern::Compile(std::string_view pattern_text, bool case_sensitive) {
  Pattern pattern;
  if (!PatternCompiler(pattern_text, case_sensitive, pattern).Run()) return std::nullopt;
  return pattern;
}

}  // namespace tarsel
