#pragma once

// What the user is told after an update brought new records: a line in the pop-up notice, the
// sound, and the column's own actions (auto save, an external program, a mail), in that order.
//
// The work is split in two so that a worker does the slow part (the sound, the mail) without
// holding its column's lock: PlanUpdateNotice reads the column (caller holds column.lock) and
// DeliverUpdateNotice acts on the plan alone, touching no column. Texts are bytes in the
// program's code page.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "services/smtp_mailer.h"
#include "settings/settings.h"
#include "store/column.h"
#include "update/update_services.h"

namespace tarsel {

// The pop-up line's English ("%s": the column's name, "%d": how many records are new) and its id
// in the string table, where a translation replaces it.
inline constexpr char kNoticeLineText[] = "\"%s\" updated (%d new records)\n";
inline constexpr int kNoticeLineTextId = 61500;

struct UpdateNotice {
  int32_t new_count = 0;
  // The column's name for the pop-up line; empty when the column does not notify or nothing is
  // new. The line and the sound need the notice to exist.
  std::string notice_name;
  bool show_notice = false;    // mute_popups is off
  bool play_sound = false;     // the column's sound is on and mute_sound is off
  std::string auto_save_path;  // empty: no auto save
  bool run_program = false;
  std::string program_file;
  std::string program_parameters;
  std::optional<UpdateMail> mail;
};

// "prog a b" gives ("prog", "a b"): a path with a blank is cut at its first blank into the
// file and its parameter text; a path without one is the file alone.
void SplitProgramPath(const std::string& path, std::string& file, std::string& parameters);

// The mail body of the column's new records: for each record with new set, in list order, its
// title as plain text, "\n" when both title and description are there, and the description as
// plain text; nothing between records. `code_page` is the program's code page of the texts.
std::string NewRecordsMailBody(const Column& column, int code_page);

// Reads what the notifications need from the column (caller holds column.lock) and `settings`.
UpdateNotice PlanUpdateNotice(const Column& column, const Settings& settings,
                              uint16_t smtp_port = 0);

// The English pop-up line: "\"NAME\" updated (N new records)\n".
std::string EnglishNoticeLine(const std::string& column_name, int32_t new_count);

// Carries the plan out on the calling thread. `stopped`, when given, is asked before each step;
// once it answers true the remaining steps are skipped.
void DeliverUpdateNotice(const UpdateNotice& notice, const UpdateServices& services,
                         const std::function<bool()>& stopped = {});

}  // namespace tarsel
