#pragma once

// What the update workers need from the program around them: the user-facing services for
// the notifications and the steps that reach the outside world. The desktop program, tarsel-cli
// and the tests each make one; it is shared (read-only) by every worker and lives as long as
// the last of them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "net/download/download_stopper.h"
#include "platform/notifier.h"
#include "services/smtp_mailer.h"
#include "settings/settings.h"
#include "store/column.h"

namespace tarsel {

struct UpdateServices {
  // The pop-up notice; null until it exists, and then an update shows no text and plays no
  // sound. Not owned; must outlive the workers (see WorkerThread::WaitForHandedOff).
  NoticeSink* notice = nullptr;
  // Plays the update sound; null: silent. Not owned.
  SoundPlayer* sound = nullptr;
  // The sound file; empty means ProgramFolder() + "Theme/notify.wav".
  std::string sound_file;
  // The port of the `smtpserver` in host byte order; 0 = the system's "mail" service port.
  uint16_t smtp_port = 0;
  // The pop-up line for a column that brought new records, in the user's language; empty: the
  // English line. Called on a worker thread.
  std::function<std::string(const std::string& column_name, int32_t new_count)> notice_line;
  // The user's settings, asked once when an update task starts: the task follows that snapshot
  // to its end, so a change made meanwhile never gives one column two settings. Called on a
  // worker thread. Empty: the built-in defaults.
  std::function<std::shared_ptr<const Settings>()> settings;

  // The steps below default to the real ones when empty. Each is called on a worker thread
  // and must be thread-safe.
  // Fetches the column into its cache file (DownloadColumn); true when a new body was stored.
  std::function<bool(Column& column, DownloadStopper* stopper)> download;
  // Opens a program with its parameter text (OpenProgram).
  std::function<bool(const std::string& file, const std::string& parameters)> open_program;
  // Sends one update mail (SendUpdateMail).
  std::function<bool(const UpdateMail& mail)> send_mail;
  // Told after a worker has stored its column's result (update state finished). For drivers
  // that want to advance the queue at once; must be quick.
  std::function<void()> update_finished;
};

// The snapshot a task follows (UpdateServices::settings, or the defaults).
std::shared_ptr<const Settings> TaskSettings(const UpdateServices& services);

}  // namespace tarsel
