#pragma once

// The one exception type of the HTTP client. It carries a numeric code; callers (the column
// download, the services) catch it at their edge and turn the code into a status or a failed call.

namespace tarsel::HTTP {

class CHttpExeption {
 public:
  explicit CHttpExeption(int code) : code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

// The codes the client and its callers throw.
inline constexpr int kErrorNotOnline = 1;          // thrown by callers of HasNetworkConnection
inline constexpr int kErrorConnect = 2;            // no connection; a body that does not unpack
inline constexpr int kErrorRequest = 3;            // bad or refused URL; certificate rejected
inline constexpr int kErrorSend = 4;               // send/receive failed; malformed response
inline constexpr int kErrorTimeout = 6;            // the server stopped sending (408 in callers)
inline constexpr int kErrorUnauthorized = 7;       // 401
inline constexpr int kErrorProxyAuthRequired = 8;  // 407
inline constexpr int kErrorForbidden = 9;          // 403
inline constexpr int kErrorTooLarge = 10;          // the body, sent or unpacked, is over the cap
inline constexpr int kErrorNotFound = 160;         // 404; redirect without a location; too many
inline constexpr int kErrorGone = 161;             // 410
inline constexpr int kErrorServerError = 162;      // 500
inline constexpr int kErrorBadRequest = 163;       // 400
inline constexpr int kErrorServerOther = 164;      // any status above 500

// Cancel() ends a transfer with this code.
inline constexpr int kErrorCancelled = kErrorSend;

}  // namespace tarsel::HTTP
