#pragma once

#include "lang/catalogue.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/popup.h"
#include "platform/program_folder.h"
#include "puzzle/game_state.h"

#include <QAction>
#include <QList>
#include <QTest>
#include <QWidget>

// Records every message box instead of showing it, and puts the run's state back to a
// fresh start; one per test function.
class TestPlatform {
public:
    TestPlatform() {
        modLangue::NumLangue = 0;
        modGrille::ReinitialiserPartie();
        platform::setMessageHandler([this](const platform::MessageRequest &r) { messages << r; });
    }
    ~TestPlatform() {
        platform::setMessageHandler({});
        platform::setModalHandler({});
        platform::setPopupHandler({});
        platform::setAppPathForTests({});
    }
    TestPlatform(const TestPlatform &) = delete;
    TestPlatform &operator=(const TestPlatform &) = delete;

    QList<platform::MessageRequest> messages;
};

// Fires the named menu command as the player would, failing when it is disabled.
inline bool triggerAction(QWidget &window, const char *name) {
    auto *action = window.findChild<QAction *>(QLatin1String(name));
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}
