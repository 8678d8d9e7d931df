#pragma once

#include "lang/catalogue.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/popup.h"
#include "platform/program_folder.h"
#include "puzzle/random_source.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>

// One per test function: records every message box instead of showing it, gives the
// program a folder of its own, starts from no language, and puts every seam back after.
class TestPlatform {
public:
    TestPlatform() {
        modLangue::NumLangue = 0;
        platform::MessageSeam::replace(
            [this](const platform::MessageRequest &r) { messages << r; });
        platform::ProgramFolderSeam::replace([this] { return folder.path(); });
        // The same grids every run: no verdict rides on the luck of the draw.
        modGrille::SeedSeam::replace([] { return quint64(20261207); });
    }
    ~TestPlatform() {
        platform::MessageSeam::replace({});
        platform::ModalSeam::replace({});
        platform::PopupSeam::replace({});
        platform::ProgramFolderSeam::replace({});
        modGrille::SeedSeam::replace({});
    }
    QStringList texts() const {
        QStringList list;
        for (const auto &message : messages)
            list << message.text;
        return list;
    }

    QList<platform::MessageRequest> messages;
    QTemporaryDir folder;
};

// Fires the named menu command as the player would; false when it is missing or disabled.
inline bool triggerAction(QWidget &window, const char *name) {
    auto *action = window.findChild<QAction *>(QLatin1String(name));
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}
