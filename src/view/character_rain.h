#pragma once

// The About box's animation: characters fall down columns on a timer. Each column's drop
// spells a word picked at random from a word list, character by character; once its word is
// spent (or when there are no words) the drop shows characters drawn uniformly from kAlphabet,
// in which '@', '/', '<' and '>' stand many times. A character is highlighted when a second
// random number (0..32767) is 23040 or more. Draws are taken over the characters the alphabet
// holds (89), never past its end.
//
// No Qt; the random source is injected (values 0..32767, as rand() gives). One thread.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

inline constexpr std::string_view kRainAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-@@@@@@@@@@@@@/////////////////#*&?!<<<<<<<>>>>>>>>>";
inline constexpr int kRainHighlightFrom = 23040;

class CharacterRain {
 public:
  struct Cell {
    char character = ' ';
    bool highlighted = false;
    int age = -1;  // steps since the drop passed; -1: empty
  };

  CharacterRain(int columns, int rows, std::vector<std::string> words, std::function<int()> random);

  // One tick: every drop moves down one row and writes its next character; cells age.
  void Step();
  const Cell& At(int column, int row) const { return cells_[row * columns_ + column]; }
  int columns() const { return columns_; }
  int rows() const { return rows_; }

  // The next character of a drop (exposed for tests).
  Cell NextCell(int column);

 private:
  struct Drop {
    int head = -1;  // row of the last written character
    std::string word;
    size_t next = 0;
  };

  int columns_;
  int rows_;
  std::vector<std::string> words_;
  std::function<int()> random_;
  std::vector<Drop> drops_;
  std::vector<Cell> cells_;
};

}  // namespace tarsel
