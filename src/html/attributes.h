#pragma once

#include <string_view>
#include <vector>

#include "html/node.h"

// Reading the attribute text of a tag, with the rules that keep script out of cleaned HTML.
namespace tarsel::HTML {

// Splits the text between a tag name and its '>' into (lower-cased name, raw value) pairs, in
// order. Values may be double-quoted, single-quoted or bare; a name without '=' has an empty
// value. Pairs named class or target, or beginning with "on", are left out, and so are URL
// attributes (href, src and their kin) with an unsafe scheme. `kind` is the element's kind: only
// an img src may hold a data:image/ URL.
std::vector<Attribute> SplitAttributes(std::string_view text, TagKind kind);

// Whether a URL attribute value runs script or embeds a document when followed: after character
// references are decoded, tabs and line breaks removed and leading blanks and control
// characters skipped, its scheme is javascript:, vbscript: or data: (case ignored). A data:image/
// URL passes when `allow_data_image` is set.
bool IsUnsafeUrl(std::string_view value, bool allow_data_image);

}  // namespace tarsel::HTML
