#pragma once

#include <QString>

#include <functional>

namespace platform {

// Message box styles, as the game's callers name them: an icon plus flags.
enum MsgStyle : int {
    vbOKOnly = 0,
    vbExclamation = 48,
    vbInformation = 64,
    vbMsgBoxSetForeground = 65536,
};

// Title shown when a caller passes none.
inline constexpr auto TitreApplication = "Vexoro";

struct MessageRequest {
    QString text;
    int style = vbOKOnly;
    QString title;
};

// Shows a modal message box with a single OK button and waits for it.
// An empty title shows the application's title.
void MsgBox(const QString &text, int style = vbOKOnly, const QString &title = {});

// Replaces the real box, e.g. by a test that records the request and returns at once.
// An empty handler restores the real box.
using MessageHandler = std::function<void(const MessageRequest &)>;
void setMessageHandler(MessageHandler handler);

} // namespace platform
