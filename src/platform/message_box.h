#pragma once

#include "platform/seam.h"

#include <QString>

class QWidget;

namespace platform {

// Message box styles, as the game's callers name them: an icon plus flags.
enum MessageStyle : int {
    OkOnly = 0,
    Exclamation = 48,
    Information = 64,
    Foreground = 65536, // brought to the front when shown
};

// Title shown when a caller passes none.
inline constexpr auto ApplicationTitle = "Vexoro";

struct MessageRequest {
    QString text;
    int style = OkOnly;
    QString title;
};

// Shows a modal message box with a single OK button and waits for it, centred on the
// owner. An empty title shows the application's title.
void showMessage(const QString &text, int style = OkOnly, const QString &title = {});

// The window every message box belongs to and is centred on (the game window); without one,
// the active window. A frameless dialog is no owner: its place is not known to the toolkit.
void setMessageOwner(QWidget *owner);

// A test answers the boxes instead of the player: it receives each request.
using MessageSeam = Seam<struct MessageTag, void(const MessageRequest &)>;

} // namespace platform
