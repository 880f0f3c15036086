// Response header blocks, the values read from them, and locations to follow.

#include "fuzz_support.h"
#include "net/http/header_list.h"
#include "net/http/url_parts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarsel::HTTP;
  const std::string_view raw = tarsel::fuzz::Input(data, size);
  int status = 0;
  const CHeaderList headers = CHeaderList::ParseResponse(raw, &status);
  (void)CharsetFromContentType(headers.Find("content-type"));
  (void)ParseContentLength(headers.Find("content-length"));
  const std::string location = headers.Find("location");
  const CUrlParts base = CrackUrl("http://user:pw@site.example:8080/dir/page?q=1");
  (void)ResolveLocation(base, location.empty() ? std::string(raw) : location);
  (void)CrackUrl(std::string(raw));
  return 0;
}
