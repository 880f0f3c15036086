#pragma once

// One column's download: a conditional GET of its URL, gzip undone, the character set
// converted, and the text stored in the column's cache file (CacheFilePath) together with the
// new validators. Reading the cache file back into records is the merge's job.
//
// Threads: an update worker, one column per worker, each download with its own HTTP client.
// Call it WITHOUT holding column.lock: it takes the lock itself, briefly, to read the request
// fields (url, login, password, etag, last_modified) and to write what it changes (url,
// etag, last_modified, charset_converted). It sets the process-wide agent name to "Tarsel".
// Texts are bytes in the program's code page; validators are kept as the server sent them.

#include <string>
#include <string_view>

#include "net/download/download_stopper.h"
#include "net/http/client_options.h"
#include "net/http/http_exception.h"
#include "parse/charsets/encoding_choice.h"
#include "store/column.h"

namespace tarsel {

// Thrown when the downloaded text could not be stored in the cache file (or the Cache folder
// could not be created). It is no client code, so the column then shows "Error during update".
inline constexpr int kErrorCacheFile = 5;

// The user's choices a download follows.
struct DownloadOptions {
  // The character set the text is converted to, and the code page the column URL's references
  // are decoded for.
  EncodingChoice encoding = EncodingChoice::kAutomatic;
  HTTP::ClientOptions http;
};

// Downloads the column. Returns true when a 200 answer was stored: the cache file (written in
// place, no temporary file) then holds the new text, and etag and last_modified hold the
// answer's validators (empty when it sent none), and charset_converted says whether the text
// was converted here. Returns false for a 304 answer: nothing is written and nothing changes.
// Throws HTTP::CHttpExeption otherwise (map the code with FailureCodeForHttpError), leaving
// the cache file, the validators and the flag as they were:
//   the client's codes (2, 3, 4, 7, 8, 9, 160..164; 4 also after `stopper` stopped it);
//   2 for gzip data that cannot be decompressed, or would grow past 64 MiB;
//   6 for status 408; 2 for any other status but 200 and 304;
// except kErrorCacheFile, when the text cannot be written: the cache file may then be empty or
// cut off, and etag and last_modified are cleared so that the next download is unconditional.
// A 301 answer moves column.url to the new address at once (also when the download then
// fails); a 302 is followed without changing it. `http_status`, when given, receives the status
// of the last answer (0 when none came), also when the download throws. `stored_text`, when
// given, receives the text written into the cache file after a true result, so that the merge
// need not read it back.
bool DownloadColumn(Column& column, const DownloadOptions& options,
                    DownloadStopper* stopper = nullptr, int* http_status = nullptr,
                    std::string* stored_text = nullptr);

// The column URL after a permanent redirect to `new_url`: "http://" is put in front of an
// address that does not begin with "http" (in any case).
std::string MovedColumnUrl(std::string_view new_url);

}  // namespace tarsel
