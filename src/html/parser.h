#pragma once

#include <span>
#include <string_view>

#include "html/attributes.h"
#include "html/node.h"

namespace tarsel::HTML {

inline constexpr int kMaxDepth = 2000;

// An opening tag as the parser hands it on; the views live until the handler returns.
struct OpeningTag {
  std::string_view name;  // lower-cased
  TagKind kind;
  bool empty_element;
  std::span<const AttributeView> attributes;
};

// Receives a parse as it happens, so that a rendering needs no tree. Every OnOpen of an element
// that is not an empty element is matched by one OnClose, innermost first.
class ParseHandler {
 public:
  virtual ~ParseHandler() = default;
  virtual void OnText(std::string_view raw_text) = 0;
  virtual void OnOpen(const OpeningTag& tag) = 0;
  // `closed_in_source`: the element's own closing tag ended it (not a sibling, its parent's
  // closing tag or the end of the input).
  virtual void OnClose(std::string_view name, TagKind kind, bool closed_in_source) = 0;
  // Asked before each piece of input; false ends the parse there, as the end of the input would.
  virtual bool WantsMore() { return true; }
  // False when OnOpen never looks at attributes: they are then not split (an empty span).
  virtual bool WantsAttributes() const { return true; }
};

// Parses an HTML fragment (bytes in the program's code page) tolerantly. Never fails as a whole:
// a tag cut off by the end of the input is dropped, open elements end at the end of the input,
// and a stray closing tag at the top level ends the parse. An element ends where another of its
// name opens. A tag opens where a browser's tokenizer opens one: '<' followed by a letter, or
// "</" and a letter; "<!" and "<?" open comments; any other '<' is text. Comments, meta,
// object, script and style never reach the handler, nor do iframe,
// frame, frameset, embed, applet and base (with their content), nor SVG animations (set,
// animate, animatetransform, animatemotion) whose attributename names an event handler (with
// their content). The tags of form, input, button, select, textarea, isindex and plaintext, opening
// and closing, never reach it either, while their content does. Attributes named class or target or
// beginning with "on", and URL attributes with a javascript:, vbscript: or data: scheme (except
// data:image/ in an img src), are left out. Elements nested deeper than kMaxDepth end the parse
// there, and so does a zero byte.
void ParseWith(std::string_view html, ParseHandler& handler);

// The same as a tree.
NodeList Parse(std::string_view html);

}  // namespace tarsel::HTML
