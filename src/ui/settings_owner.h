#pragma once

// The desktop program's one owner of the live settings. Every change the window, its lists and
// its dialogs make goes through Change, which edits the one live copy (the ProgramData's),
// makes it the process-wide settings the workers read, and announces it with Changed. Widgets
// read Get() when they need a value and keep no copy they could later write back.
//
// Main thread only. The settings must outlive the owner.

#include <QObject>
#include <functional>
#include <memory>

#include "settings/settings.h"

namespace tarsel::ui {

class SettingsOwner : public QObject {
  Q_OBJECT

 public:
  explicit SettingsOwner(Settings& live, QObject* parent = nullptr);

  const Settings& Get() const { return live_; }
  // The published copy, for a worker that follows one snapshot through a task. Any thread.
  static std::shared_ptr<const Settings> Snapshot();
  // Applies `edit` to the live settings, publishes them and emits Changed.
  void Change(const std::function<void(Settings&)>& edit);
  // As Change, without Changed: for state the widgets set themselves (splitters, placement).
  void Record(const std::function<void(Settings&)>& edit);

 signals:
  void Changed();

 private:
  // Makes the live settings the process-wide snapshot and the conversions' code page.
  void Publish();

  Settings& live_;
};

}  // namespace tarsel::ui
