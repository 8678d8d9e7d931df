#pragma once

#include "platform/seam.h"

#include <QString>
#include <QStringList>

namespace platform {

// The document the browser is looked up by, in the settings folder beside start.ini (the
// program's folder when it can be written). It exists only during the lookup.
inline constexpr auto TempDocumentName = "temphtm.HTM";

// The About box's link to the game's web page. One lives for the whole run, so that the
// browser found by a click is started at once by later clicks, in later openings of the
// About box too.
class WebLink {
public:
    // Starts the user's browser on `address`, looking the browser up first when none is
    // known yet. Tells the player when no browser is found or it does not start.
    void open(const QString &address);

private:
    QString CheminNavigateur;      // the browser's full path; empty until found
    QStringList m_argumentsFormat; // its arguments, the address marked where it goes
};

// A test inspects the document or counts lookups instead of the lookup of the command that
// opens the address (by default browserCommand).
using LookupSeam =
    Seam<struct LookupTag, QStringList(const QString &document, const QString &address)>;

} // namespace platform
