// The desktop program: start-up, the run, and the end.
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/desktop_entry.h"
#include "app/language.h"
#include "app/product_version.h"
#include "app/program_data.h"
#include "platform/folders.h"
#include "platform/instance_lock.h"
#include "ui/main_window.h"
#include "ui/signal_bridge.h"
#include "ui/stall_monitor.h"
#include "ui/standard_texts.h"
#include "ui/store_loader.h"
#include "view/command_line.h"

// The icon's resources live in the UI library, which a static link would leave unregistered.
// Outside any namespace, as the resource's initialiser is.
static void InitResources() {
  Q_INIT_RESOURCE(app_icon);
}

namespace {

// Automation / Embedding: no window and nothing offered; the process waits until it is told
// to end.
int RunServer(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  tarsel::ui::SignalBridge signals_bridge;
  QObject::connect(&signals_bridge, &tarsel::ui::SignalBridge::TerminationRequested, &application,
                   &QCoreApplication::quit);
  return application.exec();
}

int RunNormally(int argc, char* argv[], bool save_columns) {
  InitResources();
  // The web engine shares OpenGL contexts with the widgets; Qt needs to know before it starts.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Tarsel"));
  application.setDesktopFileName(QStringLiteral("tarsel"));
  application.setWindowIcon(QIcon(QStringLiteral(":/app/tarsel.svg")));
  // The window ends the program itself, after its closing steps.
  application.setQuitOnLastWindowClosed(false);

  tarsel::ProgramData data;
  tarsel::LoadProgramSettings(data);
  data.settings.save_columns_mode = save_columns;
  // A big columns.dat takes longer to read than the window takes to show: both at once.
  tarsel::ui::StoreLoader store_loader(data);
  tarsel::ui::InstallStandardTexts(tarsel::ApplyLanguage(data.settings));

  tarsel::ui::StallMonitor stall_monitor;
  tarsel::ui::MainWindow window(data);
  window.show();
  window.RestoreLayout();
  // After the placement: a window last closed maximised comes back maximised when restored,
  // yet starts minimised (in the tray while the icon stands in one).
  if (data.settings.minimize_on_start) window.showMinimized();
  window.WaitForStores(&store_loader);

  tarsel::ui::SignalBridge signals_bridge;
  auto end_session = [&window] {
    window.RunClosingSteps(tarsel::CloseReason::kSessionEnded);
    QCoreApplication::quit();
  };
  QObject::connect(&signals_bridge, &tarsel::ui::SignalBridge::TerminationRequested, &window,
                   end_session);
  QObject::connect(
      &application, &QGuiApplication::commitDataRequest, &window,
      [&window](QSessionManager&) { window.RunClosingSteps(tarsel::CloseReason::kSessionEnded); });
  if (save_columns) QTimer::singleShot(0, &window, &tarsel::ui::MainWindow::ExitProgram);
  return application.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before the lock and before Qt: packaging scripts and people ask it on machines
  // without a display, and while another copy (or tarsel-cli run) holds the data folder.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", tarsel::kProductName, tarsel::kProductVersion);
    return 0;
  }
  // One copy per user: a second start (or one that cannot take the lock) ends at once, silently.
  tarsel::InstanceLock instance_lock;
  if (!instance_lock.TryAcquire(tarsel::DataFolder())) return 0;
  switch (tarsel::ScanCommandLine(tarsel::JoinArguments(argc, argv))) {
    case tarsel::StartMode::kRegServer:
      return tarsel::InstallMenuEntry();
    case tarsel::StartMode::kUnregServer:
      return tarsel::RemoveMenuEntry();
    case tarsel::StartMode::kServer:
      return RunServer(argc, argv);
    case tarsel::StartMode::kSaveColumns:
      return RunNormally(argc, argv, true);
    case tarsel::StartMode::kNormal:
      break;
  }
  return RunNormally(argc, argv, false);
}
