#pragma once

// The small doors through which the core reaches the user: a sound, a pop-up notice and
// message boxes. The desktop program implements them with Qt, tarsel-cli with the console and
// tests with fakes. Texts are bytes in the program's code page; implementations convert them
// for display. The core holds these by plain pointer and never owns them; a null pointer
// means the service is not there (for instance before the main window has made its notice).

#include <string>

namespace tarsel {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Plays the sound file at path; returns at once when the file is missing or there is no
  // audio device. The desktop program's player returns without waiting for the sound to end,
  // so a worker does not hold its column's lock meanwhile. Called by update workers: any
  // thread, and sounds of different columns may overlap.
  virtual void PlaySoundFile(const std::string& path) = 0;
};

class NoticeSink {
 public:
  virtual ~NoticeSink() = default;
  // Appends text (lines ended by '\n') to the pop-up notice and shows it; a notice still on
  // screen grows by the new text. Called by several update workers at once: implementations
  // must be thread-safe (the desktop program hands the call to its window thread).
  virtual void ShowNotice(const std::string& text) = 0;
};

class UserPrompt {
 public:
  virtual ~UserPrompt() = default;
  // A message with an exclamation-mark icon and an OK button. Main thread only.
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
  // A Yes/No question with a warning icon; true for Yes. Main thread only.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Opens a web address in the user's browser. Any thread; failures are silent (false).
  virtual bool OpenUrl(const std::string& url) = 0;
  // Opens file with the parameter text as the desktop shell's "open" would: a program is
  // started, a document goes to its default program. Any thread; failures are silent (false).
  virtual bool OpenProgram(const std::string& file, const std::string& parameters) = 0;
};

// The Launcher of the real desktop: xdg-open and posix_spawn (see process_spawn.h).
class DesktopLauncher final : public Launcher {
 public:
  bool OpenUrl(const std::string& url) override;
  bool OpenProgram(const std::string& file, const std::string& parameters) override;
};

}  // namespace tarsel
