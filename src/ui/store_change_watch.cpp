#include "ui/store_change_watch.h"

#include <QCoreApplication>
#include <QEvent>

#include "store/column_tree.h"

namespace tarsel::ui {

StoreChangeWatch::StoreChangeWatch(const ColumnTree& columns, QObject* parent)
    : QObject(parent), columns_(columns) {
  saved_ = Now();
  QCoreApplication::instance()->installEventFilter(this);
}

StoreChangeWatch::~StoreChangeWatch() {
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::instance()->removeEventFilter(this);
}

bool StoreChangeWatch::Changed() const {
  return !(Now() == saved_);
}

void StoreChangeWatch::MarkSaved() {
  saved_ = Now();
}

StoreChangeWatch::Mark StoreChangeWatch::Now() const {
  return Mark{activity_, columns_.root().UnreadCount(), columns_.root().TotalCount()};
}

bool StoreChangeWatch::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Drop:
      ++activity_;
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tarsel::ui
