#pragma once

// Whether columns.dat may differ from what the periodic save last wrote. While the update queue
// is empty the store used to be rewritten every 100 seconds whatever happened: with a big store
// that held the window for half a second each time and wrote gigabytes an hour to the disk.
//
// The watch errs towards saving. Every key, click or drop the program takes counts as a change
// (any edit a user makes starts with one), so does every column an update finished, and so does
// any change of the kept unread and total counts (a record the read timer marks). A store at
// rest, with nobody at the keyboard, is left alone. Window thread only.

#include <QObject>
#include <cstdint>

namespace tarsel {
class ColumnTree;
}

namespace tarsel::ui {

class StoreChangeWatch : public QObject {
  Q_OBJECT

 public:
  // Watches the whole application's input from now on; the tree must outlive the watch.
  StoreChangeWatch(const ColumnTree& columns, QObject* parent = nullptr);
  ~StoreChangeWatch() override;

  // An update finished a column (its records, times or status may have changed).
  void NoteUpdateDone() { ++activity_; }
  // Something may have changed since the last MarkSaved (at first: since the load).
  bool Changed() const;
  // The store as it stands now was written.
  void MarkSaved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Mark {
    uint64_t activity = 0;
    int32_t unread = 0;
    int32_t total = 0;
    bool operator==(const Mark&) const = default;
  };
  Mark Now() const;

  const ColumnTree& columns_;
  uint64_t activity_ = 0;
  Mark saved_;
};

}  // namespace tarsel::ui
