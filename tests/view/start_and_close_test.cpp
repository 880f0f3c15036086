// The command-line scan, the saved placement and the order of the closing steps.
#include <gtest/gtest.h>

#include "view/closing_steps.h"
#include "view/command_line.h"
#include "view/window_placement.h"

namespace tarsel {
namespace {

TEST(CommandLineTest, TokensRunToTheEndOfTheLine) {
  struct Case {
    const char* line;
    StartMode mode;
  };
  const Case cases[] = {
      {"", StartMode::kNormal},
      {"/RegServer", StartMode::kRegServer},
      {"-regserver", StartMode::kRegServer},
      {"/REGSERVER", StartMode::kRegServer},
      {"/RegServer /SaveColumns", StartMode::kSaveColumns},  // the first token runs on
      {"/RegServer -Other", StartMode::kNormal},
      {"/UnregServer", StartMode::kUnregServer},
      {"-Automation", StartMode::kServer},
      {"/embedding", StartMode::kServer},
      {"foo /SaveColumns", StartMode::kSaveColumns},
      {"/SaveColumns ", StartMode::kNormal},  // something follows the keyword
      {"/Unknown", StartMode::kNormal},
      {"SaveColumns", StartMode::kNormal},         // no marker
      {"--SaveColumns", StartMode::kSaveColumns},  // the second marker's token matches
  };
  for (const Case& c : cases) EXPECT_EQ(ScanCommandLine(c.line), c.mode) << c.line;
  const char* argv[] = {"tarsel", "-x", "/savecolumns"};
  EXPECT_EQ(JoinArguments(3, argv), "-x /savecolumns");
}

TEST(PlacementTest, AppliedOnlyWhenItOverlapsTheScreen) {
  struct Case {
    const char* text;
    bool applied;
  };
  const Case cases[] = {
      {"0 1 (-1,-1) (-1,-1) (10,20,800,600)", true},
      {"0 1 (-1,-1) (-1,-1) (-900,20,-100,600)", false},    // left of the screen
      {"0 1 (-1,-1) (-1,-1) (1920,0,2500,600)", false},     // right of a 1920 screen
      {"0 1 (-1,-1) (-1,-1) (1900,1060,2500,1600)", true},  // a corner still shows
      {"0 1 (-1,-1) (-1,-1) (100,100,100,500)", false},     // empty rectangle
      {"", false},
      {"garbage", false},
      {"0 1 (0,0) (0,0) (-2147483648,-2147483648,2147483647,2147483647)", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UsablePlacement(c.text, 1920, 1080).has_value(), c.applied) << c.text;
  }
  const WindowPlacement placement{0, 3, -1, -1, -8, -8, 10, 20, 800, 600};
  EXPECT_EQ(UsablePlacement(FormatPlacement(placement), 1920, 1080), placement);
}

TEST(ClosingStepsTest, TheSessionEndStopsWorkersBeforeWriting) {
  using enum ClosingStep;
  EXPECT_EQ(ClosingOrder(CloseReason::kWindowClosed),
            (std::vector<ClosingStep>{kSaveColumnWidths, kSaveSettings, kSaveColumns, kSaveMemories,
                                      kStopUpdates, kCloseTabs}));
  EXPECT_EQ(ClosingOrder(CloseReason::kSessionEnded),
            (std::vector<ClosingStep>{kSaveSettings, kStopUpdates, kSaveColumns, kSaveMemories,
                                      kCloseTabs}));
}

}  // namespace
}  // namespace tarsel

#include "view/character_rain.h"

namespace tarsel {
namespace {

TEST(CharacterRainTest, WordsFirstThenTheAlphabetAndTheHighlightThreshold) {
  // A scripted random source: each NextCell draws the character (when no word is left), then
  // the highlight number.
  std::vector<int> script;
  size_t position = 0;
  auto random = [&] { return position < script.size() ? script[position++] : 0; };
  CharacterRain rain(1, 5, {}, random);
  struct Case {
    std::vector<int> draws;
    char character;
    bool highlighted;
  };
  const Case cases[] = {
      {{0, 0}, 'A', false},
      {{88, 23039}, '>', false},
      {{89 + 38, 23040}, '@', true},  // draws wrap around the 89 characters
      {{52, 32767}, '/', true},
  };
  for (const Case& c : cases) {
    script = c.draws;
    position = 0;
    const CharacterRain::Cell cell = rain.NextCell(0);
    EXPECT_EQ(cell.character, c.character);
    EXPECT_EQ(cell.highlighted, c.highlighted);
  }
  EXPECT_EQ(kRainAlphabet.size(), 89u);

  // With a word, the drop spells it from its top.
  script.clear();
  CharacterRain spelled(1, 4, {"Tarsel"}, [] { return 0; });
  std::string seen;
  for (int step = 0; step < 5; ++step) {
    spelled.Step();
    for (int row = 0; row < spelled.rows(); ++row) {
      if (spelled.At(0, row).age == 0) seen += spelled.At(0, row).character;
    }
  }
  EXPECT_EQ(seen.substr(0, 4), "Tars");
}

}  // namespace
}  // namespace tarsel
