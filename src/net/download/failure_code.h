#pragma once

// The status of a column's last update and the texts that tell the user about it.
//
// A column stores its status as a plain int32_t (0 = the last update went well). The texts are
// English bytes; the plain form is for tool tips, the HTML form for the record pane.

#include <cstdint>
#include <string>

namespace tarsel {

using FailureCode = int32_t;

inline constexpr FailureCode kFailureNone = 0;
inline constexpr FailureCode kFailureNoConnection = 1;
inline constexpr FailureCode kFailureUpdate = 2;
inline constexpr FailureCode kFailureOpenUrl = 3;
inline constexpr FailureCode kFailureParse = 4;
inline constexpr FailureCode kFailureFeedDiscovered = 5;
inline constexpr FailureCode kFailureTimeout = 6;
inline constexpr FailureCode kFailureAuthentication = 7;
inline constexpr FailureCode kFailureProxyAuthentication = 8;
inline constexpr FailureCode kFailureForbidden = 9;
inline constexpr FailureCode kFailureOpenUrlOther = 160;
inline constexpr FailureCode kFailureNotFound = 161;
inline constexpr FailureCode kFailureGone = 162;
inline constexpr FailureCode kFailureInternalServerError = 163;
inline constexpr FailureCode kFailureServerError = 164;
inline constexpr FailureCode kFailureBadRequest = 165;
inline constexpr FailureCode kFailureServerNotFound = 166;
// The feed is over the size the program reads (HTTP::CHttpClient::kMaxBodySize).
inline constexpr FailureCode kFailureTooLarge = 167;

// Line breaks are "\n". Unknown codes give "Unknown Error".
std::string FailureMessage(FailureCode code);

// The same texts with "<br>" line breaks; code 165 has no text of its own here ("Unknown Error").
std::string FailureMessageHtml(FailureCode code);

// The status stored on a column when its update ended with an HTTP client error carrying
// `exception_code` (for example 160, a 404, becomes 161; unknown codes become 2).
FailureCode FailureCodeForHttpError(int32_t exception_code);

}  // namespace tarsel
