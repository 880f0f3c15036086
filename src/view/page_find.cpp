#include "view/page_find.h"

#include "view/record_render_script.h"

namespace tarsel {
namespace {

// Runs in the program's own script world; the page's scripts cannot see or change it. With the
// "u" flag, "\p{L}" and "\p{N}" make a word of any script's letters and digits.
constexpr char kFindFunction[] = R"JS(
(function (needle, matchCase, wholeWord, start) {
  var body = document.body;
  if (!body || !needle) return -1;
  var skipped = {SCRIPT: 1, STYLE: 1, NOSCRIPT: 1, TEMPLATE: 1, HEAD: 1};
  var blocks = /^(ADDRESS|ARTICLE|ASIDE|BLOCKQUOTE|BR|DD|DIV|DL|DT|FIELDSET|FIGCAPTION|FIGURE|FOOTER|FORM|H[1-6]|HEADER|HR|LI|MAIN|NAV|OL|P|PRE|SECTION|TABLE|TD|TH|TR|UL)$/;
  var text = "", nodes = [], starts = [];
  (function walk(node) {
    for (var child = node.firstChild; child; child = child.nextSibling) {
      if (child.nodeType === 3) {
        nodes.push(child);
        starts.push(text.length);
        text += child.data;
      } else if (child.nodeType === 1 && !skipped[child.tagName]) {
        var block = blocks.test(child.tagName);
        if (block) text += "\n";
        walk(child);
        if (block) text += "\n";
      }
    }
  })(body);
  if (start > text.length) return -1;
  var pattern = needle.replace(/[\\^$.*+?()[\]{}|\/]/g, "\\$&");
  if (wholeWord) pattern = "(?<![\\p{L}\\p{N}_])" + pattern + "(?![\\p{L}\\p{N}_])";
  var expression = new RegExp(pattern, matchCase ? "gu" : "giu");
  expression.lastIndex = start;
  var match = expression.exec(text);
  if (!match) return -1;
  function position(offset, isEnd) {
    var low = 0, high = nodes.length - 1;
    while (low < high) {
      var middle = (low + high + 1) >> 1;
      if (starts[middle] < offset || (!isEnd && starts[middle] === offset)) low = middle;
      else high = middle - 1;
    }
    return {node: nodes[low], offset: offset - starts[low]};
  }
  var from = position(match.index, false);
  var to = position(match.index + match[0].length, true);
  var range = document.createRange();
  range.setStart(from.node, from.offset);
  range.setEnd(to.node, to.offset);
  var selection = window.getSelection();
  selection.removeAllRanges();
  selection.addRange(range);
  var box = range.getBoundingClientRect();
  if (box.top < 0 || box.bottom > window.innerHeight) {
    window.scrollBy(0, box.top - window.innerHeight / 3);
  }
  return match.index;
}))JS";

}  // namespace

void PageFindState::Start(const PageFindRequest& request) {
  request_ = request;
}

PageFindStep PageFindState::Take(int64_t match_offset) {
  if (match_offset >= 0) {
    bookmark_ = match_offset;
    return PageFindStep::kFound;
  }
  if (bookmark_) {
    bookmark_.reset();
    return PageFindStep::kSearchFromTop;
  }
  return PageFindStep::kNotFound;
}

std::string PageFindScript(const PageFindRequest& request, int64_t start) {
  std::string script = kFindFunction;
  script += '(';
  AppendJavaScriptString(request.text, script);
  script += request.match_case ? ",true" : ",false";
  script += request.whole_word ? ",true," : ",false,";
  script += std::to_string(start);
  script += ");";
  return script;
}

}  // namespace tarsel
