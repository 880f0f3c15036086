#include "ui/sound_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <filesystem>

#include "settings/settings.h"
#include "ui/qt_text.h"
#include "ui/settings_owner.h"

namespace tarsel::ui {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::PlaySoundFile(const std::string& path) {
  if (SettingsOwner::Snapshot()->mute_sound) return;
  // A missing file costs the window thread nothing; the check needs no Qt object.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;
  const QString file = ToQt(path);
  QMetaObject::invokeMethod(
      this, [this, file] { Play(file); }, Qt::QueuedConnection);
}

void SoundPlayer::Play(const QString& path) {
  if (QMediaDevices::defaultAudioOutput().isNull()) return;
  QSoundEffect* effect = EffectFor(path);
  if (effect->status() == QSoundEffect::Error || effect->isPlaying()) return;
  if (effect->status() == QSoundEffect::Ready) {
    effect->play();
  } else {
    waiting_.insert(effect);
  }
}

QSoundEffect* SoundPlayer::EffectFor(const QString& path) {
  QSoundEffect*& effect = effects_[path];
  if (effect == nullptr) {
    QSoundEffect* created = new QSoundEffect(this);
    // Loading is asynchronous: a request made meanwhile plays once the file is ready; a file
    // that turns out corrupt stays silent.
    connect(created, &QSoundEffect::statusChanged, this, [this, created] {
      if (created->status() == QSoundEffect::Loading) return;
      if (waiting_.remove(created) && created->status() == QSoundEffect::Ready) created->play();
    });
    created->setSource(QUrl::fromLocalFile(path));
    effect = created;
  }
  return effect;
}

}  // namespace tarsel::ui
