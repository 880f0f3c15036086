#pragma once

// Reads columns.dat and memories.dat on a worker thread while the window paints: a store of a
// thousand columns takes longer to read than the window takes to show. The trees are handed to
// the program's data on the window thread, never shared with the worker: the worker reads into
// trees of its own, and Finish moves them in once the worker has ended.
//
// Window thread only (the worker is internal). The data must outlive the loader.

#include <QObject>
#include <thread>

#include "app/program_data.h"

namespace tarsel::ui {

class StoreLoader : public QObject {
  Q_OBJECT

 public:
  // Starts reading the stores of data's folder with data's store options (LoadProgramSettings
  // has run). data's trees stay as they are until Finish.
  explicit StoreLoader(ProgramData& data, QObject* parent = nullptr);
  // Waits for the worker.
  ~StoreLoader() override;

  // Waits for the worker if it is still reading, then moves the trees into the data, adds the
  // damaged stores to its list and emits Loaded. Once: later calls do nothing. Runs by itself
  // when the worker ends and the event loop turns; a caller that cannot wait for that (the
  // closing steps) calls it directly.
  void Finish();
  bool Finished() const { return finished_; }

 signals:
  void Loaded();

 private:
  ProgramData& data_;
  ProgramData staged_;  // the worker's alone until it has ended
  std::thread worker_;
  bool finished_ = false;
};

}  // namespace tarsel::ui
