#pragma once

#include <QString>

#include <functional>

namespace platform {

// The full path of the browser once a lookup has found it, kept for the whole run so that
// later clicks, in later openings of the About box too, start it at once. Empty at start
// and after a failed lookup.
extern QString CheminNavigateur;

// The document the browser is looked up by, in the settings folder beside start.ini (the
// program's folder when it can be written). It exists only during the lookup.
inline constexpr auto FichierTemporaireHtml = "temphtm.HTM";

// Starts the user's browser on `address`, looking the browser up first when none is known
// yet. Tells the player when no browser is found or it does not start.
void OuvrirPageWeb(const QString &address);

// Replaces the lookup of the program that opens a document (by default FindExecutable in
// the current XDG environment), e.g. by a test that inspects the document or counts
// lookups. An empty handler restores the real lookup.
using LookupHandler = std::function<QString(const QString &document)>;
void setLookupHandler(LookupHandler handler);

} // namespace platform
