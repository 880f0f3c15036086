#include "parse/feeds/record_bases.h"

#include "parse/feeds/xml_base.h"
#include "platform/url_combine.h"

namespace tarsel::feeds {

RecordBases::RecordBases(std::string_view fallback) : fallback_(fallback) {
  if (!fallback_.empty()) fallback_resolver_.emplace(fallback_);
}

HTML::LinkResolver* RecordBases::ResolverFor(const std::string& base_url) {
  HTML::LinkResolver* fallback = fallback_resolver_ ? &*fallback_resolver_ : nullptr;
  if (base_url.empty()) return fallback;
  if (last_resolver_ && base_url == last_base_url_) return &*last_resolver_;
  std::optional<std::string> absolute;
  if (HasScheme(base_url)) {
    absolute = base_url;
  } else if (HasScheme(fallback_)) {
    absolute = CombineUrl(fallback_, base_url);
  }
  if (!absolute) return fallback;
  last_base_url_ = base_url;
  last_resolver_.emplace(*absolute);
  return &*last_resolver_;
}

}  // namespace tarsel::feeds
