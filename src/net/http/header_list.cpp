#include "net/http/header_list.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tarsel::HTTP {
namespace {

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string LowerCopy(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), Lower);
  return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

// The next line of a raw block without its line end; advances *pos past the line end.
std::string_view NextLine(std::string_view raw, size_t* pos) {
  size_t end = raw.find('\n', *pos);
  if (end == std::string_view::npos) end = raw.size();
  std::string_view line = raw.substr(*pos, end - *pos);
  *pos = end < raw.size() ? end + 1 : end;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

int StatusFromLine(std::string_view line) {
  size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return 0;
  std::string_view rest = line.substr(blank + 1);
  int status = 0;
  auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), status);
  (void)end;
  return error == std::errc() && status > 0 ? status : 0;
}

}  // namespace

void CHeaderList::Add(std::string name, std::string value) {
  pairs_.emplace_back(std::move(name), std::move(value));
}

std::string CHeaderList::Find(std::string_view name) const {
  for (const Pair& pair : pairs_) {
    if (EqualNoCase(pair.first, name)) return pair.second;
  }
  return {};
}

bool CHeaderList::Contains(std::string_view name) const {
  return std::any_of(pairs_.begin(), pairs_.end(),
                     [&](const Pair& pair) { return EqualNoCase(pair.first, name); });
}

std::string CHeaderList::RequestBlock() const {
  std::string block;
  for (const Pair& pair : pairs_) {
    block += pair.first;
    block += ':';
    block += pair.second;
    block += "\r\n";
  }
  return block;
}

CHeaderList CHeaderList::ParseResponse(std::string_view raw, int* status) {
  CHeaderList list;
  size_t pos = 0;
  *status = StatusFromLine(NextLine(raw, &pos));
  while (pos < raw.size()) {
    std::string_view line = NextLine(raw, &pos);
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    std::string_view value = line.substr(colon + 1);
    size_t first = value.find_first_not_of(" \t");
    value = first == std::string_view::npos ? std::string_view() : value.substr(first);
    list.Add(LowerCopy(line.substr(0, colon)), std::string(value));
  }
  return list;
}

int CharsetFromContentType(std::string_view content_type) {
  size_t at = content_type.find("charset");
  if (at == std::string_view::npos || at + 8 > content_type.size()) return kCharsetNone;
  std::string name = LowerCopy(content_type.substr(at + 8));
  if (name == "koi8-r") return kCharsetKoi8r;
  if (name == "utf-8") return kCharsetUtf8;
  if (name == "iso-8859-2") return kCharsetIso88592;
  return kCharsetNone;
}

long long ParseContentLength(std::string_view value) {
  long long length = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
  (void)end;
  return error == std::errc() && length > 0 ? length : 0;
}

}  // namespace tarsel::HTTP
