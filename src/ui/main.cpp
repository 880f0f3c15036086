// The desktop program: for now only its main window.
#include <QApplication>
#include <QMainWindow>
#include <QString>

#include "app/product_version.h"
#include "platform/folders.h"
#include "platform/instance_lock.h"

int main(int argc, char* argv[]) {
  // One copy per user: a second start (or one that cannot take the lock) ends at once, silently.
  tarsel::InstanceLock instance_lock;
  if (!instance_lock.TryAcquire(tarsel::DataFolder())) return 0;
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QString("%1 %2").arg(tarsel::kProductName, tarsel::kProductVersion));
  window.resize(900, 600);
  window.show();
  return application.exec();
}
