#include "app/startup_language.h"
#include "game_window/frmMain.h"
#include "lang/catalogue.h"
#include "platform/program_folder.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vexoro"));

    // The language chosen last, from start.ini beside the program.
    modLangue::NumLangue =
        modGrille::LangueDemarrage(platform::CheminLectureReglages(QStringLiteral("start.ini")));

    frmMain window;
    window.show();
    return app.exec();
}
