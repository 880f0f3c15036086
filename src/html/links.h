#pragma once

#include <string_view>

#include "html/node.h"

namespace tarsel::HTML {

// For every a and img element (at any depth), each href or src value that does not begin with
// "http" (any case) is replaced by its combination with `base_url`. A failed combination, or one
// of 1024 characters or more, leaves the value as it was.
void ResolveLinks(NodeList& nodes, std::string_view base_url);

}  // namespace tarsel::HTML
