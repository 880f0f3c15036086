#pragma once

// Where a column's last downloaded feed text is kept between the download and the merge.
// Paths are bytes; any thread (the data folder is read from the environment at each call).

#include <string>

#include "store/column.h"

namespace tarsel {

// The file name for a feed URL: the URL's host followed by its path and query, with every '/'
// and '?' made '-', one trailing '-' removed, and ".xml" appended ("http://h/a/b?c=1" gives
// "h-a-b-c=1.xml"). A URL that cannot be split, or whose name would be longer than
// kMaxCacheFileName bytes, gets a name made from a hash of the whole URL instead (16 hex
// digits and ".xml"), so every URL has a usable, stable name inside the Cache folder.
std::string CacheFileName(const std::string& url);

// DataFolder() + "/Cache/" + CacheFileName(column.url). Two columns with the same host, path
// and query share one file. The Cache folder is not created here. The caller keeps column.url
// from changing meanwhile (the column's lock, or its one thread).
std::string CacheFilePath(const Column& column);

// DataFolder() + "/Cache".
std::string CacheFolder();

// Creates the data folder and its Cache folder where they are missing. False when the Cache
// folder does not exist afterwards.
bool EnsureCacheFolder();

inline constexpr size_t kMaxCacheFileName = 200;

}  // namespace tarsel
