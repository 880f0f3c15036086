#pragma once

// What the last `tarsel-cli update` of each column ended with, kept beside the stores in
// "tarsel-cli-failures.json": the store forgets a column's last result when it is loaded, so
// `list` could otherwise never show which columns are broken. Only failures are kept; a
// column that updates well again, or whose URL changed, loses its entry. The desktop program
// does not read the file. Main thread.

#include <cstdint>
#include <map>
#include <string>

#include "store/column.h"
#include "store/column_tree.h"

namespace tarsel::cli {

struct RecordedFailure {
  std::string url;  // UTF-8: the column's URL when it failed
  int32_t failure = 0;
  int32_t http_status = 0;
};

class UpdateRecord {
 public:
  static constexpr char kFileName[] = "tarsel-cli-failures.json";

  // A missing or damaged file is an empty record.
  void Load(const std::string& data_folder);
  // Drops entries of columns no longer in `tree`; false with errno set when it cannot write.
  bool Save(const std::string& data_folder, const ColumnTree& tree);

  // Notes how the column's update ended (`url_utf8`: its URL now).
  void Note(const Column& column, const std::string& url_utf8);
  // The failure recorded for the column, when its URL is still the one that failed.
  const RecordedFailure* Find(const Column& column, const std::string& url_utf8) const;

 private:
  std::map<int32_t, RecordedFailure> failures_;
  std::string saved_text_;  // the file as it was read or last written
};

}  // namespace tarsel::cli
