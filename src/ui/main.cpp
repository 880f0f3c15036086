// The desktop program: for now only its main window.
#include <QApplication>
#include <QMainWindow>
#include <QString>

#include "app/product_version.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QString("%1 %2").arg(tarsel::kProductName, tarsel::kProductVersion));
  window.resize(900, 600);
  window.show();
  return application.exec();
}
