#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

// Resolves `relative` against the absolute URL `base` (RFC 3986 reference resolution, through
// libcurl's URL API): "../b.html" against "http://x.org/a/c.html" gives "http://x.org/b.html". A
// `relative` that carries its own scheme ("mailto:a@b", "ftp://h/") is returned as it is.
// Nothing when the base is not an absolute URL or the combination fails. Spaces and bytes above
// 0x7F are percent-encoded. Any thread.
std::optional<std::string> CombineUrl(std::string_view base, std::string_view relative);

}  // namespace tarsel
