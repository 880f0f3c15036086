#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "html/node.h"

// Reading the attribute text of a tag, with the rules that keep script out of cleaned HTML.
namespace tarsel::HTML {

// One attribute as read: the lower-cased name and the raw value (entities not decoded).
struct AttributeView {
  std::string_view name;
  std::string_view value;
};

// Splits the text between a tag name and its '>' into name/value pairs, in order. Values may be
// double-quoted, single-quoted or bare; a name without '=' has an empty value. Pairs named class
// or target, or beginning with "on", are left out, and so are URL attributes (href, src and
// their kin) with an unsafe scheme, SVG animation values (values, to, from, by) with one in
// their list (references decoded before the list is split), and style values holding
// expression(, behavior:, -moz-binding or a url() with a script scheme; only an img src may
// hold a data:image/ URL. The views stay valid until the next Split and while `text` lives.
class AttributeSplitter {
 public:
  std::span<const AttributeView> Split(std::string_view text, TagKind kind);

  // Whether `text`, the attributes of an SVG animation (set, animate and their kin), names an
  // event handler as the attribute to set: an attributename whose value, references decoded and
  // blanks trimmed, begins with "on" (case ignored). Such an animation would install a handler
  // the splitter never saw. Invalidates the views of the last Split.
  bool SetsEventHandler(std::string_view text);

 private:
  std::string names_;  // the lower-cased names, back to back
  std::vector<AttributeView> attributes_;
};

// Whether a URL attribute value runs script or embeds a document when followed: after character
// references are decoded, tabs and line breaks removed and leading blanks and control
// characters skipped, its scheme is javascript:, vbscript: or data: (case ignored). A data:image/
// URL passes when `allow_data_image` is set.
bool IsUnsafeUrl(std::string_view value, bool allow_data_image);

}  // namespace tarsel::HTML
