#pragma once

// xml:base, the address that relative links inside an element resolve against. Bytes as the
// document carried them. Any thread.

#include <string>

#include "parse/xml/xml_node.h"

namespace tarsel::feeds {

// The base in effect inside `element`, whose parent's base is `outer` (empty when none): its
// xml:base when that is an absolute URL; a relative one resolved against an absolute `outer`,
// or kept relative when there is no outer base (the clean-up resolves it against the feed's
// address); `outer` when the element has none, or one that is not a URL (blanks, quotes, angle
// brackets, a script-running scheme, an address that cannot be parsed).
std::string NestedBase(const std::string& outer, const XMLParser::Node& element);

// `address` resolved against `base`, for the channel's own addresses, which have no record to
// carry a base to the clean-up; as it is when either is empty or they do not combine.
std::string ResolvedAgainst(const std::string& base, std::string address);

// Whether `address` starts with a scheme ("http:", "mailto:").
bool HasScheme(std::string_view address);

}  // namespace tarsel::feeds
