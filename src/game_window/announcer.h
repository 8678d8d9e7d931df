#pragma once

#include <QWidget>

// Tells a screen reader a message without showing anything: an object of no size that
// assistive technology sees as a notification, shown anew with each message as its name.
// Screen readers speak a notification when it appears, whatever has the focus.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget *parent);
    void say(const QString &message);
};
