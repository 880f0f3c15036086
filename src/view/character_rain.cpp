#include "view/character_rain.h"

#include <utility>

namespace tarsel {

CharacterRain::CharacterRain(int columns, int rows, std::vector<std::string> words,
                             std::function<int()> random)
    : columns_(columns > 0 ? columns : 1),
      rows_(rows > 0 ? rows : 1),
      words_(std::move(words)),
      random_(std::move(random)),
      drops_(static_cast<size_t>(columns_)),
      cells_(static_cast<size_t>(columns_ * rows_)) {
  // Drops start at different heights so the columns do not fall in step.
  for (Drop& drop : drops_) {
    drop.head = -1 - random_() % rows_;
    if (!words_.empty()) drop.word = words_[static_cast<size_t>(random_()) % words_.size()];
  }
}

CharacterRain::Cell CharacterRain::NextCell(int column) {
  Drop& drop = drops_[static_cast<size_t>(column)];
  Cell cell;
  if (drop.next < drop.word.size()) {
    cell.character = drop.word[drop.next++];
  } else {
    cell.character = kRainAlphabet[static_cast<size_t>(random_()) % kRainAlphabet.size()];
  }
  cell.highlighted = random_() >= kRainHighlightFrom;
  cell.age = 0;
  return cell;
}

void CharacterRain::Step() {
  for (Cell& cell : cells_) {
    if (cell.age >= 0) ++cell.age;
    if (cell.age > rows_) cell = Cell{};
  }
  for (int column = 0; column < columns_; ++column) {
    Drop& drop = drops_[static_cast<size_t>(column)];
    ++drop.head;
    if (drop.head >= rows_) {
      // Back to the top with a new word.
      drop.head = -(random_() % rows_);
      drop.word =
          words_.empty() ? std::string() : words_[static_cast<size_t>(random_()) % words_.size()];
      drop.next = 0;
    }
    if (drop.head < 0) continue;
    cells_[static_cast<size_t>(drop.head * columns_ + column)] = NextCell(column);
  }
}

}  // namespace tarsel
