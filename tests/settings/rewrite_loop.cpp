// Rewrites the settings file at argv[1] again and again, cycling through the languages,
// until it is killed: the subject of the interrupted-rewrite test.
#include "settings/language_file.h"

#include <QString>

int main(int argc, char *argv[]) {
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    for (int i = 0;; ++i)
        settings::writeLanguageFile(path, float(i % 5 + 1));
}
