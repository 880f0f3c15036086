#include "net/download/failure_code.h"

namespace tarsel {

namespace {

constexpr char kUnknownError[] = "Unknown Error";
constexpr char kUnsubscribeHint[] = "You should unsubscribe from this column or enter another url.";
constexpr char kTryLaterHint[] = "Probably you should try later.";

// The texts of both forms, with `br` standing where the line breaks go. Code 165 is the one
// whose forms differ by more than the line break.
std::string Message(FailureCode code, const std::string& br, bool html) {
  switch (code) {
    case kFailureNoConnection:
      return "No Internet Connection";
    case kFailureUpdate:
      return "Error during update";
    case kFailureOpenUrl:
      return "Error opening column url";
    case kFailureParse:
      return "Error parsing column data";
    case kFailureFeedDiscovered:
      return "This is not rss column." + br + " The link to RSS file was autodiscovered" + br +
             "New link will be used in next update";
    case kFailureTimeout:
      return "Timeout error";
    case kFailureAuthentication:
      return "Authentication failed." + br +
             " Open column properties and enter user name and login";
    case kFailureProxyAuthentication:
      return "Proxy authorization failed. " + br + ".";
    case kFailureForbidden:
      return "HTTP 403 Error (Forbidden). " + br + kUnsubscribeHint;
    case kFailureOpenUrlOther:
      return "Error opening column url.";
    case kFailureNotFound:
      return "HTTP 404 Error. " + br + kUnsubscribeHint;
    case kFailureGone:
      return "HTTP 410 Error. " + br + kUnsubscribeHint;
    case kFailureInternalServerError:
      return "HTTP 500 Error. " + br + kTryLaterHint;
    case kFailureServerError:
      return "Server Error. " + br + kTryLaterHint;
    case kFailureBadRequest:
      if (html) return kUnknownError;
      return "HTTP 400 Error. " + br + kTryLaterHint;
    case kFailureServerNotFound:
      return "Can't find server. " + br + kTryLaterHint;
    default:
      return kUnknownError;
  }
}

}  // namespace

std::string FailureMessage(FailureCode code) {
  return Message(code, "\n", false);
}

std::string FailureMessageHtml(FailureCode code) {
  return Message(code, "<br>", true);
}

FailureCode FailureCodeForHttpError(int32_t exception_code) {
  switch (exception_code) {
    case 1:
      return kFailureNoConnection;
    case 2:
    case 3:
    case 4:
      return kFailureOpenUrl;
    case 6:
      return kFailureTimeout;
    case 7:
      return kFailureAuthentication;
    case 8:
      return kFailureProxyAuthentication;
    case 9:
      return kFailureForbidden;
    case 160:
      return kFailureNotFound;
    case 161:
      return kFailureGone;
    case 162:
      return kFailureInternalServerError;
    case 163:
      return kFailureBadRequest;
    case 164:
      return kFailureServerError;
    case 165:
      return kFailureOpenUrlOther;
    default:
      return kFailureUpdate;
  }
}

}  // namespace tarsel
