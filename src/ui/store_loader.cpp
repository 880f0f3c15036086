#include "ui/store_loader.h"

#include <iterator>
#include <utility>

namespace tarsel::ui {

StoreLoader::StoreLoader(ProgramData& data, QObject* parent) : QObject(parent), data_(data) {
  staged_.data_folder = data.data_folder;
  staged_.store_options = data.store_options;
  worker_ = std::thread([this] {
    LoadProgramStores(staged_);
    // Dropped by Qt when the loader is gone first; the destructor has joined by then.
    QMetaObject::invokeMethod(this, &StoreLoader::Finish, Qt::QueuedConnection);
  });
}

StoreLoader::~StoreLoader() {
  if (worker_.joinable()) worker_.join();
}

void StoreLoader::Finish() {
  if (finished_) return;
  finished_ = true;
  worker_.join();
  data_.columns = std::move(staged_.columns);
  data_.memories = std::move(staged_.memories);
  data_.damaged_files.insert(data_.damaged_files.end(),
                             std::make_move_iterator(staged_.damaged_files.begin()),
                             std::make_move_iterator(staged_.damaged_files.end()));
  emit Loaded();
}

}  // namespace tarsel::ui
