#pragma once

// Finding a text in the page of a browser pane: the state a pane keeps between searches (the
// text, the flags and a bookmark of the last match) and the script that searches the page.
//
// The page's text is taken as the browser shows it: the text of the body's elements in
// document order (scripts, styles and templates left out), with a line break standing in for
// every block or line-break element, so a whole word never runs on into the next paragraph.
// Offsets count UTF-16 code units of that text. No Qt; main thread.

#include <cstdint>
#include <optional>
#include <string>

namespace tarsel {

// The dialog's text box holds at most this many characters.
inline constexpr int kFindTextLimit = 128;

struct PageFindRequest {
  std::string text;  // UTF-8
  bool match_case = false;
  bool whole_word = false;
};

// What the pane does after one search of the page.
enum class PageFindStep {
  kFound,          // the match is selected and scrolled into view
  kSearchFromTop,  // nothing past the last match: search once more from the top
  kNotFound,       // nothing from the top either: tell the user
};

class PageFindState {
 public:
  // A search of `request`. Like Find Next it goes on past the last match, whatever text that
  // match was of, as a search goes on from the cursor.
  void Start(const PageFindRequest& request);
  // The request of the last search; nothing before the first.
  const std::optional<PageFindRequest>& request() const { return request_; }
  // Where the next search starts: one character past the last match, else the top.
  int64_t NextStart() const { return bookmark_ ? *bookmark_ + 1 : 0; }
  // Takes the result of a search that started at NextStart(): the offset of the match, or a
  // negative value when there was none.
  PageFindStep Take(int64_t match_offset);
  // The page changed (a new record or a new address): the bookmark means nothing there.
  void ForgetBookmark() { bookmark_.reset(); }

 private:
  std::optional<PageFindRequest> request_;
  std::optional<int64_t> bookmark_;
};

// A script that searches the page from offset `start` for the request, selects the match and
// scrolls it into view. Its result is the match's offset, or -1 when the text is not there
// (also when `start` lies past the end of the text).
std::string PageFindScript(const PageFindRequest& request, int64_t start);

}  // namespace tarsel
