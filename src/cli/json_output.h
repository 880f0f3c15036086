#pragma once

// JSON as tarsel-cli prints it. Control characters are escaped as JSON escapes them (C0 by
// the library); C1 characters (U+0080..U+009F), which some terminals obey too, are written as
// \u0080..\u009f. Bytes that are not UTF-8 become U+FFFD instead of ending the command. Any
// thread.

#include <nlohmann/json.hpp>
#include <string>

namespace tarsel::cli {

// `indent` as nlohmann's dump: -1 one line, otherwise pretty with that many blanks.
std::string JsonText(const nlohmann::ordered_json& json, int indent = 2);

}  // namespace tarsel::cli
