#include "net/download/failure_code.h"

#include "html/text.h"
#include "net/download/failure_texts.h"
#include "settings/translation_table.h"

namespace tarsel {

namespace {

using failure_text::Piece;

// A piece in the user's language; in the HTML form escaped, since a translation file may hold
// anything.
class Pieces {
 public:
  Pieces(const std::string& br, bool html) : br_(br), html_(html) {}
  std::string operator()(const Piece& piece) const {
    const std::string text = TranslatedOr(piece.id, piece.english);
    if (!html_) return text;
    std::string escaped;
    HTML::AppendEscapedHtml(text, escaped, HTML::QuoteEscaping::kNone);
    return escaped;
  }
  // A first line, the break, then a second line.
  std::string operator()(const Piece& first, const Piece& second) const {
    return (*this)(first) + br_ + (*this)(second);
  }

 private:
  const std::string& br_;
  bool html_;
};

// The texts of both forms, with `br` standing where the line breaks go. Code 165 is the one
// whose forms differ by more than the line break.
std::string Message(FailureCode code, const std::string& br, bool html) {
  using namespace failure_text;
  const Pieces text(br, html);
  switch (code) {
    case kFailureNoConnection:
      return text(kNoConnection);
    case kFailureUpdate:
      return text(kUpdate);
    case kFailureOpenUrl:
      return text(kOpenUrl);
    case kFailureParse:
      return text(kParse);
    case kFailureFeedDiscovered:
      return text(kNotRss, kAutodiscovered) + br + text(kNewLinkNextUpdate);
    case kFailureTimeout:
      return text(kTimeout);
    case kFailureAuthentication:
      return text(kAuthentication, kEnterLogin);
    case kFailureProxyAuthentication:
      return text(kProxyAuthentication) + br + ".";
    case kFailureForbidden:
      return text(kForbidden, kUnsubscribeHint);
    case kFailureOpenUrlOther:
      return text(kOpenUrlOther);
    case kFailureNotFound:
      return text(kNotFound, kUnsubscribeHint);
    case kFailureGone:
      return text(kGone, kUnsubscribeHint);
    case kFailureInternalServerError:
      return text(kInternalServerError, kTryLaterHint);
    case kFailureServerError:
      return text(kServerError, kTryLaterHint);
    case kFailureBadRequest:
      if (html) return text(kUnknownError);
      return text(kBadRequest, kTryLaterHint);
    case kFailureServerNotFound:
      return text(kServerNotFound, kTryLaterHint);
    case kFailureTooLarge:
      return text(kTooLarge, kUnsubscribeHint);
    default:
      return text(kUnknownError);
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
    case 10:
      return kFailureTooLarge;
    default:
      return kFailureUpdate;
  }
}

}  // namespace tarsel
