#include "net/download/cache_file_path.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "net/http/http_exception.h"
#include "net/http/url_parts.h"
#include "platform/folders.h"

namespace tarsel {
namespace {

// 64-bit FNV-1a: stable across runs and builds, unlike std::hash.
std::string HashedName(const std::string& url) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : url) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  char name[32];
  std::snprintf(name, sizeof(name), "%016llx.xml", static_cast<unsigned long long>(hash));
  return name;
}

std::string NameFromParts(const HTTP::CUrlParts& parts) {
  std::string name = parts.host + parts.path + parts.extra_info;
  for (char& byte : name) {
    if (byte == '/' || byte == '?') byte = '-';
  }
  if (!name.empty() && name.back() == '-') name.pop_back();
  return name;
}

bool UsableName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('\0') == std::string::npos &&
         name.size() <= kMaxCacheFileName;
}

}  // namespace

std::string CacheFileName(const std::string& url) {
  std::string name;
  try {
    name = NameFromParts(HTTP::CrackUrl(url));
  } catch (const HTTP::CHttpExeption&) {
    return HashedName(url);
  }
  name += ".xml";
  return UsableName(name) ? name : HashedName(url);
}

std::string CacheFilePath(const Column& column) {
  return CacheFolder() + "/" + CacheFileName(column.url);
}

std::string CacheFolder() {
  return DataFolder() + "/Cache";
}

bool EnsureCacheFolder() {
  const std::filesystem::path folder = CacheFolder();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return std::filesystem::is_directory(folder, error);
}

}  // namespace tarsel
