// The desktop program.
#include <QApplication>

#include "platform/folders.h"
#include "platform/instance_lock.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
  // One copy per user: a second start (or one that cannot take the lock) ends at once, silently.
  tarsel::InstanceLock instance_lock;
  if (!instance_lock.TryAcquire(tarsel::DataFolder())) return 0;
  // The web engine shares OpenGL contexts with the widgets; Qt needs to know before it starts.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  tarsel::ui::MainWindow window;
  window.show();
  return application.exec();
}
