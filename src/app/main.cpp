#include "game_window/frmMain.h"
#include "lang/catalogue.h"
#include "platform/program_folder.h"
#include "settings/language_file.h"
#include "settings/startup_language.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vexoro"));

    // The language chosen last, from the settings file.
    modLangue::NumLangue = modGrille::startupLanguage(
        platform::settingsReadPath(QLatin1String(modGrille::SettingsFileName)));

    frmMain window;
    window.show();
    return app.exec();
}
