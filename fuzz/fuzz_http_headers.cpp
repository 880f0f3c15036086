// Response header blocks, the values read from them, and locations to follow.

#include "fuzz_support.h"
#include "net/http/header_list.h"
#include "net/http/http_exception.h"
#include "net/http/url_parts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarsel::HTTP;
  const std::string_view raw = tarsel::fuzz::Input(data, size);
  int status = 0;
  const CHeaderList headers = CHeaderList::ParseResponse(raw, &status);
  (void)CharsetFromContentType(headers.Find("content-type"));
  (void)ParseContentLength(headers.Find("content-length"));
  const std::string location = headers.Find("location");
  // Addresses that cannot be used fail with code 3; that is their contract.
  try {
    const CUrlParts base = CrackUrl("http://user:pw@site.example:8080/dir/page?q=1");
    (void)ResolveLocation(base, location.empty() ? std::string(raw) : location);
  } catch (const CHttpExeption&) {
  }
  try {
    (void)CrackUrl(std::string(raw));
  } catch (const CHttpExeption&) {
  }
  return 0;
}
