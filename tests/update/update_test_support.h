#pragma once

// Fakes for the update engine's tests: a network whose downloads the test releases one by
// one, notice and sound sinks that remember what they were given, and waiting helpers.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/download/cache_file_path.h"
#include "net/download/download_stopper.h"
#include "net/http/http_exception.h"
#include "platform/notifier.h"
#include "store/column.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace tarsel::testing {

inline std::string RssFeed(const std::string& title, const std::vector<std::string>& items) {
  std::string body = "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>" + title +
                     "</title><link>http://example.com/</link><description>d</description>";
  for (const std::string& item : items) {
    body += "<item><title>" + item + "</title><link>http://example.com/" + item +
            "</link><description>&lt;b&gt;About&lt;/b&gt; " + item + "</description></item>";
  }
  return body + "</channel></rss>";
}

// What one URL's download does once the test releases it.
struct FakeAnswer {
  int throw_code = 0;  // an HTTP::CHttpExeption code; 0: no failure
  std::string feed;    // written to the cache file when non-empty (new content)
};

// Downloads that wait until the test releases their URL (or until they are stopped, which
// ends them the way a cancelled transfer ends: code 4).
class FakeNetwork {
 public:
  void Answer(const std::string& url, FakeAnswer answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_[url] = std::move(answer);
  }
  void Release(const std::string& url) {
    std::lock_guard<std::mutex> lock(mutex_);
    released_[url] = true;
  }
  void ReleaseAll() {
    std::lock_guard<std::mutex> lock(mutex_);
    release_all_ = true;
  }
  std::vector<std::string> Started() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return started_;
  }
  int Running() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
  }

  bool Download(Column& request, DownloadStopper* stopper) {
    std::unique_lock<std::mutex> lock(mutex_);
    started_.push_back(request.url);
    ++running_;
    while (!release_all_ && !released_[request.url] && !stopper->Stopped()) {
      lock.unlock();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      lock.lock();
    }
    --running_;
    if (stopper->Stopped()) throw HTTP::CHttpExeption(HTTP::kErrorCancelled);
    const FakeAnswer answer = answers_[request.url];
    lock.unlock();
    if (answer.throw_code != 0) throw HTTP::CHttpExeption(answer.throw_code);
    if (answer.feed.empty()) return false;
    EnsureCacheFolder();
    WriteFileBytes(CacheFilePath(request), answer.feed);
    request.etag = "\"e-" + request.url + "\"";
    return true;
  }

  std::function<bool(Column&, DownloadStopper*)> Step() {
    return [this](Column& request, DownloadStopper* stopper) { return Download(request, stopper); };
  }

 private:
  mutable std::mutex mutex_;
  std::map<std::string, FakeAnswer> answers_;
  std::map<std::string, bool> released_;
  bool release_all_ = false;
  std::vector<std::string> started_;
  int running_ = 0;
};

class RecordingNotice final : public NoticeSink {
 public:
  void ShowNotice(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_.push_back(text);
  }
  std::vector<std::string> texts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
};

class RecordingSound final : public SoundPlayer {
 public:
  void PlaySoundFile(const std::string& path) override {
    std::lock_guard<std::mutex> lock(mutex_);
    files_.push_back(path);
  }
  std::vector<std::string> files() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return files_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> files_;
};

}  // namespace tarsel::testing
