#include "game_window/announcer.h"

Announcer::Announcer(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("announcer"));
    setFixedSize(0, 0);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void Announcer::say(const QString &message) {
    hide();
    setAccessibleName(message);
    show();
}
