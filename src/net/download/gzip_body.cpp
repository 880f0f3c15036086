#include "net/download/gzip_body.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>

#include "net/http/http_exception.h"

namespace tarsel {
namespace {

constexpr unsigned kReadChunk = 64 * 1024;

[[noreturn]] void FailDecompression() {
  throw HTTP::CHttpExeption(HTTP::kErrorConnect);
}

// Removes the temporary file when the decompression ends, by return or by throw.
class TempFileRemover {
 public:
  explicit TempFileRemover(const std::string& path) : path_(path) {}
  ~TempFileRemover() { unlink(path_.c_str()); }
  TempFileRemover(const TempFileRemover&) = delete;
  TempFileRemover& operator=(const TempFileRemover&) = delete;

 private:
  const std::string& path_;
};

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  // O_NOFOLLOW: a link planted under the temporary name is never written through.
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  bool ok = true;
  while (ok && !bytes.empty()) {
    ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    ok = written > 0;
    if (ok) bytes.remove_prefix(static_cast<size_t>(written));
  }
  return close(fd) == 0 && ok;
}

class GzipReader {
 public:
  explicit GzipReader(const std::string& path) : file_(gzopen(path.c_str(), "rb")) {}
  ~GzipReader() {
    if (file_ != nullptr) gzclose(file_);
  }
  GzipReader(const GzipReader&) = delete;
  GzipReader& operator=(const GzipReader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }

  // The whole text; false on damaged or cut-off data, or when it grows past max_size.
  bool ReadAll(std::string& text, size_t max_size) {
    char chunk[kReadChunk];
    for (;;) {
      int got = gzread(file_, chunk, sizeof(chunk));
      if (got < 0) return false;
      if (got == 0) break;
      if (text.size() + static_cast<size_t>(got) > max_size) return false;
      text.append(chunk, static_cast<size_t>(got));
    }
    // A stream cut off before its end reads as far as it goes and then reports
    // Z_BUF_ERROR rather than failing the read.
    int error = Z_OK;
    gzerror(file_, &error);
    return error == Z_OK;
  }

 private:
  gzFile file_;
};

}  // namespace

std::string GunzipThroughFile(std::string_view body, const std::string& temp_path,
                              size_t max_size) {
  TempFileRemover remover(temp_path);
  if (!WriteWholeFile(temp_path, body)) FailDecompression();
  GzipReader reader(temp_path);
  if (!reader.IsOpen()) FailDecompression();
  std::string text;
  if (!reader.ReadAll(text, max_size)) FailDecompression();
  text.resize(std::strlen(text.c_str()));
  return text;
}

}  // namespace tarsel
