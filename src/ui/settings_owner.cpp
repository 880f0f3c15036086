#include "ui/settings_owner.h"

namespace tarsel::ui {

SettingsOwner::SettingsOwner(Settings& live, QObject* parent) : QObject(parent), live_(live) {
  SetCurrentSettings(live_);
}

void SettingsOwner::Change(const std::function<void(Settings&)>& edit) {
  Record(edit);
  emit Changed();
}

void SettingsOwner::Record(const std::function<void(Settings&)>& edit) {
  edit(live_);
  SetCurrentSettings(live_);
}

}  // namespace tarsel::ui
