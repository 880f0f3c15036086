#pragma once

// The rule a new subscription's address must meet, shared by every place that takes one from
// the user (the new-column dialog, tarsel-cli add): an http or https URL with a host, that the
// HTTP client can request as it is. Bytes in the program's code page; any thread.

#include <string_view>

namespace tarsel::HTTP {

// True for "http://host/..." and "https://host/..." (any case in the scheme); false for an
// empty text, another scheme, no host, or a URL holding CR, LF or NUL.
bool IsValidFeedUrl(std::string_view url);

}  // namespace tarsel::HTTP
