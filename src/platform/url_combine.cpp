#include "platform/url_combine.h"

#include <curl/curl.h>
#include <uriparser/Uri.h>

#include <algorithm>

namespace tarsel {
namespace {

struct CurlStringDeleter {
  void operator()(char* text) const { curl_free(text); }
};

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// RFC 3986: ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) ":".
bool HasScheme(std::string_view reference) {
  if (reference.empty() || !IsAsciiLetter(reference[0])) return false;
  for (size_t i = 1; i < reference.size(); ++i) {
    const char c = reference[i];
    if (c == ':') return true;
    if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
      return false;
    }
  }
  return false;
}

// Any scheme is accepted (feeds link to ftp, news and more); spaces and other bytes a URL may not
// hold are percent-encoded rather than rejected.
constexpr unsigned int kFlags = CURLU_NON_SUPPORT_SCHEME | CURLU_URLENCODE;

// curl reads C strings; an embedded zero byte would silently cut the URL.
bool HasZero(std::string_view text) {
  return text.find('\0') != std::string_view::npos;
}

// curl resolves a reference that is only a fragment against the base's folder; RFC 3986 keeps
// the whole base and replaces only its fragment.
bool SetReference(CURLU* url, const std::string& relative) {
  if (relative.empty()) return true;
  if (relative[0] == '#') {
    const char* fragment = relative.size() > 1 ? relative.c_str() + 1 : nullptr;
    return curl_url_set(url, CURLUPART_FRAGMENT, fragment, CURLU_URLENCODE) == CURLUE_OK;
  }
  return curl_url_set(url, CURLUPART_URL, relative.c_str(), kFlags) == CURLUE_OK;
}

bool IsUnreserved(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
}

// What a reference may hold to take the plain way: the RFC 3986 characters that curl keeps as
// they are, '%' included (curl leaves escapes, even broken ones, alone; liburiparser refuses
// broken ones, which then go through curl).
bool IsPlainByte(char c) {
  return IsUnreserved(c) || std::string_view("!$&'()*+,;=@/%?:#").find(c) != std::string_view::npos;
}

// Whether combining `relative` by RFC 3986 gives what curl gives. curl differs on: a fragment
// set alone (it percent-encodes all but unreserved characters), "//host" (it adds a '/'),
// "//" inside a path (it squeezes it while removing dot segments), an empty query or fragment
// (it drops it), and anything it percent-encodes itself.
bool TakesPlainWay(std::string_view relative) {
  if (relative.empty() || relative.starts_with("//")) return false;
  if (relative[0] == '#') {
    return relative.size() > 1 && std::all_of(relative.begin() + 1, relative.end(), IsUnreserved);
  }
  if (!std::all_of(relative.begin(), relative.end(), IsPlainByte)) return false;
  const size_t query = relative.find('?');
  const size_t fragment = relative.find('#');
  const std::string_view path = relative.substr(0, std::min(query, fragment));
  // A colon in the first segment would read as a scheme to one and a path to the other.
  if (path.find("//") != std::string_view::npos || path.find(':') != std::string_view::npos) {
    return false;
  }
  if (query != std::string_view::npos &&
      (query + 1 == relative.size() || relative[query + 1] == '#')) {
    return false;
  }
  if (fragment == std::string_view::npos) return true;
  const std::string_view fragment_text = relative.substr(fragment + 1);
  return !fragment_text.empty() && fragment_text.find_first_of("?#") == std::string_view::npos;
}

// curl's writing of a base whose references may take the plain way: plain http, no literal IPv6
// host (liburiparser writes it out in full), no fragment (curl mixes it into a later query), no
// "//" in the path.
bool IsPlainBase(std::string_view written) {
  std::string_view rest;
  if (written.starts_with("http://")) {
    rest = written.substr(7);
  } else if (written.starts_with("https://")) {
    rest = written.substr(8);
  } else {
    return false;
  }
  return rest.find_first_of("[#") == std::string_view::npos &&
         rest.find("//") == std::string_view::npos;
}

std::optional<std::string> WriteUri(const UriUriA& uri) {
  int length = 0;
  if (uriToStringCharsRequiredA(&uri, &length) != URI_SUCCESS) return std::nullopt;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  if (uriToStringA(text.data(), &uri, length + 1, nullptr) != URI_SUCCESS) return std::nullopt;
  text.resize(static_cast<size_t>(length));
  return text;
}

// Nothing when liburiparser refuses the reference; curl then has its say.
std::optional<std::string> CombinePlain(const UriUriA& base, std::string_view relative) {
  UriUriA reference;
  if (uriParseSingleUriExA(&reference, relative.data(), relative.data() + relative.size(),
                           nullptr) != URI_SUCCESS) {
    return std::nullopt;
  }
  std::optional<std::string> combined;
  UriUriA absolute;
  if (uriAddBaseUriA(&absolute, &reference, &base) == URI_SUCCESS) {
    combined = WriteUri(absolute);
    uriFreeUriMembersA(&absolute);
  }
  uriFreeUriMembersA(&reference);
  return combined;
}

}  // namespace

// liburiparser's parse points into `text`, which therefore never moves.
struct UrlCombiner::PlainBase {
  std::string text;
  UriUriA uri{};
};

void UrlCombiner::PlainBaseDeleter::operator()(PlainBase* base) const {
  uriFreeUriMembersA(&base->uri);
  delete base;
}

void UrlCombiner::Deleter::operator()(CURLU* url) const {
  curl_url_cleanup(url);
}

UrlCombiner::UrlCombiner(std::string_view base) {
  if (HasZero(base)) return;
  std::unique_ptr<CURLU, Deleter> url(curl_url());
  if (url &&
      curl_url_set(url.get(), CURLUPART_URL, std::string(base).c_str(), kFlags) == CURLUE_OK) {
    base_ = std::move(url);
  }
  if (!base_) return;
  char* written = nullptr;
  if (curl_url_get(base_.get(), CURLUPART_URL, &written, 0) != CURLUE_OK || written == nullptr) {
    return;
  }
  std::unique_ptr<char, CurlStringDeleter> owner(written);
  if (!IsPlainBase(written)) return;
  std::unique_ptr<PlainBase, PlainBaseDeleter> plain(new PlainBase{written, {}});
  const char* text = plain->text.c_str();
  if (uriParseSingleUriExA(&plain->uri, text, text + plain->text.size(), nullptr) != URI_SUCCESS) {
    // A failed parse has freed what it held.
    delete plain.release();
    return;
  }
  plain_base_ = std::move(plain);
}

UrlCombiner::~UrlCombiner() = default;

std::optional<std::string> UrlCombiner::Combine(std::string_view relative) const {
  if (!base_ || HasZero(relative)) return std::nullopt;
  if (HasScheme(relative)) return std::string(relative);
  if (plain_base_ && TakesPlainWay(relative)) {
    if (std::optional<std::string> combined = CombinePlain(plain_base_->uri, relative)) {
      return combined;
    }
  }
  return CombineThroughCurl(std::string(relative));
}

std::optional<std::string> UrlCombiner::CombineThroughCurl(const std::string& relative) const {
  std::unique_ptr<CURLU, Deleter> url(curl_url_dup(base_.get()));
  if (!url || !SetReference(url.get(), relative)) return std::nullopt;
  char* combined = nullptr;
  if (curl_url_get(url.get(), CURLUPART_URL, &combined, 0) != CURLUE_OK || combined == nullptr) {
    return std::nullopt;
  }
  std::unique_ptr<char, CurlStringDeleter> owner(combined);
  return std::string(combined);
}

std::optional<std::string> CombineUrl(std::string_view base, std::string_view relative) {
  return UrlCombiner(base).Combine(relative);
}

}  // namespace tarsel
