#pragma once

// The part of the feed-address check that only the HTTP client can judge: an http or https URL
// with a host, that the client can request as it is. The dialogs and tarsel-cli reach it through
// CheckUrlField (view/dialog_fields.h). Bytes in the program's code page; any thread.

#include <string_view>

namespace tarsel::HTTP {

// True for "http://host/..." and "https://host/..." (any case in the scheme); false for an
// empty text, another scheme, no host, or a URL holding CR, LF or NUL.
bool IsValidFeedUrl(std::string_view url);

}  // namespace tarsel::HTTP
