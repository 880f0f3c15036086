#pragma once

// The pieces the messages of a failed update are made of, with the string ids a translation
// replaces them by. The English stays here beside the code that shows it; the desktop's string
// table lists the same ids, so the translation files and their completeness test cover them.
// Bytes in the program's code page.

namespace tarsel::failure_text {

struct Piece {
  int id;
  const char* english;
};

inline constexpr Piece kUnknownError{65200, "Unknown Error"};
inline constexpr Piece kUnsubscribeHint{
    65201, "You should unsubscribe from this column or enter another url."};
inline constexpr Piece kTryLaterHint{65202, "Probably you should try later."};
inline constexpr Piece kNoConnection{65203, "No Internet Connection"};
inline constexpr Piece kUpdate{65204, "Error during update"};
inline constexpr Piece kOpenUrl{65205, "Error opening column url"};
inline constexpr Piece kParse{65206, "Error parsing column data"};
inline constexpr Piece kNotRss{65207, "This is not rss column."};
inline constexpr Piece kAutodiscovered{65208, " The link to RSS file was autodiscovered"};
inline constexpr Piece kNewLinkNextUpdate{65209, "New link will be used in next update"};
inline constexpr Piece kTimeout{65210, "Timeout error"};
inline constexpr Piece kAuthentication{65211, "Authentication failed."};
inline constexpr Piece kEnterLogin{65212, " Open column properties and enter user name and login"};
inline constexpr Piece kProxyAuthentication{65213, "Proxy authorization failed. "};
inline constexpr Piece kForbidden{65214, "HTTP 403 Error (Forbidden). "};
inline constexpr Piece kOpenUrlOther{65215, "Error opening column url."};
inline constexpr Piece kNotFound{65216, "HTTP 404 Error. "};
inline constexpr Piece kGone{65217, "HTTP 410 Error. "};
inline constexpr Piece kInternalServerError{65218, "HTTP 500 Error. "};
inline constexpr Piece kServerError{65219, "Server Error. "};
inline constexpr Piece kBadRequest{65220, "HTTP 400 Error. "};
inline constexpr Piece kServerNotFound{65221, "Can't find server. "};
inline constexpr Piece kTooLarge{65222, "The column is larger than 64 MB, the most Tarsel reads. "};

inline constexpr Piece kAll[] = {
    kUnknownError, kUnsubscribeHint, kTryLaterHint, kNoConnection,        kUpdate,
    kOpenUrl,      kParse,           kNotRss,       kAutodiscovered,      kNewLinkNextUpdate,
    kTimeout,      kAuthentication,  kEnterLogin,   kProxyAuthentication, kForbidden,
    kOpenUrlOther, kNotFound,        kGone,         kInternalServerError, kServerError,
    kBadRequest,   kServerNotFound,  kTooLarge,
};

}  // namespace tarsel::failure_text
