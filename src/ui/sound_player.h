#pragma once

// The update sound through Qt Multimedia. PlaySoundFile is called on update workers: it never
// blocks them and touches no Qt object there; it hands the file name to the window thread,
// which plays it with a QSoundEffect (one per file, kept). The worker does not wait for the
// sound to end, so a column's lock is not held while it plays.
//
// Silent, never failing: with `mute_sound` on, with no audio output device, and with a missing,
// unreadable or corrupt wave file. While a file is still playing, a further request for it is
// dropped (two hundred columns finishing at once make one sound).

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <string>

#include "platform/notifier.h"

class QSoundEffect;

namespace tarsel::ui {

class SoundPlayer : public QObject, public tarsel::SoundPlayer {
  Q_OBJECT

 public:
  // Lives on the thread that creates it (the window thread).
  explicit SoundPlayer(QObject* parent = nullptr);
  ~SoundPlayer() override;

  // Any thread; returns at once.
  void PlaySoundFile(const std::string& path) override;

 private:
  void Play(const QString& path);
  QSoundEffect* EffectFor(const QString& path);

  QHash<QString, QSoundEffect*> effects_;
  QSet<QSoundEffect*> waiting_;  // asked to play while still loading
};

}  // namespace tarsel::ui
