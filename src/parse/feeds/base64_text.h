#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarsel::feeds {

// The bytes that base64 `text` (RFC 4648 alphabet, white space anywhere, '=' padding optional)
// stands for; nothing when the text is not base64, so the caller can keep it as it is.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace tarsel::feeds
