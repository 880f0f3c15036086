#pragma once

// A downloaded body taken the way `tarsel-cli parse` takes it (and a column's first update):
// charset conversion, feed parsing, the cleaning of the parsed channel. For the tests and the
// fuzz targets. Any thread.

#include <optional>
#include <string>
#include <string_view>

#include "parse/charsets/encoding_choice.h"
#include "store/channel_info.h"

namespace tarsel::testing {

// Both read `body` under the encoding setting `choice`, as `tarsel-cli parse --encoding` does.

// The cleaned channel, or nullopt when the body is no feed.
std::optional<ChannelInfo> ParseBodyAsTheCliDoes(
    std::string body, EncodingChoice choice = EncodingChoice::kAutomatic);

// Where the single parse of ParseAndCleanFeed, which an update uses, gives another channel than
// ParseFeed and then CleanParsedChannel for `body` (converted as above): the first differing
// field, empty when none. `summary_lines` limits the summaries (0: no limit).
std::string DifferenceOfSingleParse(std::string body,
                                    EncodingChoice choice = EncodingChoice::kAutomatic,
                                    int summary_lines = 0);

// What in a cleaned channel would run script when shown: FindScriptRisk of every title,
// description and comments link, and addresses holding blanks, controls, quotes or angle
// brackets or a script scheme. Empty when nothing.
std::string FindChannelRisk(const ChannelInfo& channel);

// Both checks of a body: a difference of the single parse, else a risk of the channel the
// `tarsel-cli parse` way gives. Empty when the body passes both (or is no feed).
std::string FeedBodyProblem(std::string_view body, EncodingChoice choice);

}  // namespace tarsel::testing
