#include "game_window/frmMain.h"
#include "lang/catalogue.h"
#include "platform/program_folder.h"
#include "settings/language_file.h"
#include "settings/startup_language.h"

#include <QApplication>

#if defined(__SANITIZE_ADDRESS__)
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {
// LeakSanitizer looks for leaks at exit with every other thread held still, and reads what
// each thread holds. A thread caught ending at that moment, half gone, makes the check itself
// crash: Qt stops its D-Bus thread among the last static destructors, and a stopped QThread is
// still unwinding when its waiter goes on. Registered before Qt's own exit work, this runs
// after it, and lets the check start once the main thread is alone (five seconds at most).
void awaitLoneThread() {
    using namespace std::chrono_literals;
    const auto threads = [] {
        std::error_code error;
        auto listing = std::filesystem::directory_iterator("/proc/self/task", error);
        return error ? 1 : std::distance(begin(listing), end(listing));
    };
    for (int tries = 0; tries < 500 && threads() > 1; ++tries)
        std::this_thread::sleep_for(10ms);
}
} // namespace
#endif

int main(int argc, char *argv[]) {
#if defined(__SANITIZE_ADDRESS__)
    std::atexit(awaitLoneThread);
#endif
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vexoro"));

    // The language chosen last, from the settings file.
    modLangue::NumLangue = settings::startupLanguage(
        platform::settingsReadPath(QLatin1String(settings::SettingsFileName)));

    frmMain window;
    window.show();
    return app.exec();
}
