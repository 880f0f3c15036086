#include "ui/settings_owner.h"

#include "ui/qt_text.h"
#include "update/update_options.h"

namespace tarsel::ui {

SettingsOwner::SettingsOwner(Settings& live, QObject* parent) : QObject(parent), live_(live) {
  Publish();
}

void SettingsOwner::Publish() {
  SetCurrentSettings(live_);
  PublishProgramEncoding(EncodingForSettings(live_));
}

std::shared_ptr<const Settings> SettingsOwner::Snapshot() {
  return CurrentSettings();
}

void SettingsOwner::Change(const std::function<void(Settings&)>& edit) {
  Record(edit);
  emit Changed();
}

void SettingsOwner::Record(const std::function<void(Settings&)>& edit) {
  edit(live_);
  Publish();
}

}  // namespace tarsel::ui
