#pragma once

// The options of the steps an update runs (the download, the feed readers), made from the user's
// settings. The update makes them from the settings snapshot of its task; the program and
// tarsel-cli make them from the settings they hold (app/area_options.h adds the other areas'
// options). Pure functions; any thread.

#include "net/download/download_column.h"
#include "net/http/client_options.h"
#include "parse/charsets/encoding_choice.h"
#include "parse/feeds/record_fields.h"
#include "settings/settings.h"

namespace tarsel {

// The user's character-set choice: the one place the stored number becomes the choice.
EncodingChoice EncodingForSettings(const Settings& settings);
// The program's code page of that choice (CodePageForEncoding).
int CodePageForSettings(const Settings& settings);

// The summary line limit and the program's code page of the user's choices.
feeds::ReadSettings FeedReadOptionsForSettings(const Settings& settings);

// The user's proxy; the process-wide agent name.
HTTP::ClientOptions HttpOptionsForSettings(const Settings& settings);

// The user's encoding choice and proxy.
DownloadOptions DownloadOptionsForSettings(const Settings& settings);

}  // namespace tarsel
