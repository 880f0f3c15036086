#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

typedef struct Curl_URL CURLU;

namespace tarsel {

// Resolves `relative` against the absolute URL `base` (RFC 3986 reference resolution, as
// libcurl's URL API does it): "../b.html" against "http://x.org/a/c.html" gives "http://x.org/b.html". A
// `relative` that carries its own scheme ("mailto:a@b", "ftp://h/") is returned as it is.
// Nothing when the base is not an absolute URL or the combination fails. Spaces and bytes above
// 0x7F are percent-encoded. Any thread.
std::optional<std::string> CombineUrl(std::string_view base, std::string_view relative);

// The same for many references against one base, which is parsed once. Most references a feed
// holds ("/story/1.html", "img/a.png?s=2") are combined by liburiparser against the base as curl
// writes it, which gives curl's result at a tenth of its cost; the others (blanks, bytes above
// 0x7F, "//host", a base that is not plain http) go through curl. One object per thread.
class UrlCombiner {
 public:
  explicit UrlCombiner(std::string_view base);
  ~UrlCombiner();
  UrlCombiner(const UrlCombiner&) = delete;
  UrlCombiner& operator=(const UrlCombiner&) = delete;

  // Whether the base is an absolute URL; when it is not, every Combine fails.
  bool valid() const { return base_ != nullptr; }
  std::optional<std::string> Combine(std::string_view relative) const;

 private:
  struct Deleter {
    void operator()(CURLU* url) const;
  };
  struct PlainBase;
  struct PlainBaseDeleter {
    void operator()(PlainBase* base) const;
  };
  std::optional<std::string> CombineThroughCurl(const std::string& relative) const;

  std::unique_ptr<CURLU, Deleter> base_;
  // The base as curl writes it, parsed by liburiparser; null when references cannot take the
  // cheap way against this base.
  std::unique_ptr<PlainBase, PlainBaseDeleter> plain_base_;
};

}  // namespace tarsel
