#pragma once

// The desktop side of the version check: when the update driver says the check is due, the
// worker fetches the maker's version file; its lines come back to the window thread, where the
// notice "New Version" is shown when they name a newer version. Ticking "Don't tell me again"
// turns `newversion` off (saved with the settings at exit).
//
// Main thread only. The settings record must outlive the object.

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "services/version_checker.h"
#include "settings/settings.h"

class QWidget;

namespace tarsel::ui {

class SettingsOwner;

class VersionNotice : public QObject, public NewVersionPrompt {
  Q_OBJECT

 public:
  VersionNotice(QWidget* window, SettingsOwner& settings,
                std::string url = BuiltInAddresses().version_file);
  // Stops a running download and waits for the worker (the cancel ends it at once).
  ~VersionNotice() override;

  // Starts the worker (once per program start).
  void StartCheck();
  // The notice goes here instead of a message box (tests). Not owned.
  void SetPrompt(NewVersionPrompt* prompt) { prompt_ = prompt; }

  // A warning box with OK and the "Don't tell me again" check box.
  bool ShowNewVersion(const std::string& caption, const std::string& text) override;

 signals:
  // The lines were compared (and the notice, if any, closed).
  void Compared();

 private:
  void OnLines(const std::vector<std::string>& lines);

  QWidget* window_;
  SettingsOwner& settings_;
  NewVersionPrompt* prompt_ = nullptr;
  std::unique_ptr<VersionChecker> checker_;
};

}  // namespace tarsel::ui
