#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

typedef struct Curl_URL CURLU;

namespace tarsel {

// Resolves `relative` against the absolute URL `base` (RFC 3986 reference resolution, through
// libcurl's URL API): "../b.html" against "http://x.org/a/c.html" gives "http://x.org/b.html". A
// `relative` that carries its own scheme ("mailto:a@b", "ftp://h/") is returned as it is.
// Nothing when the base is not an absolute URL or the combination fails. Spaces and bytes above
// 0x7F are percent-encoded. Any thread.
std::optional<std::string> CombineUrl(std::string_view base, std::string_view relative);

// The same for many references against one base, which is parsed once. One object per thread.
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
  std::unique_ptr<CURLU, Deleter> base_;
};

}  // namespace tarsel
