#pragma once

#include <QString>

#include <functional>

namespace platform {

// The document the browser is looked up by, in the settings folder beside start.ini (the
// program's folder when it can be written). It exists only during the lookup.
inline constexpr auto FichierTemporaireHtml = "temphtm.HTM";

// Starts the user's browser on `address`, looking the browser up first when none is known
// yet; the command found is kept for the rest of the run. Tells the player when no browser is found
// or it does not start.
void OuvrirPageWeb(const QString &address);

// Replaces the lookup of the command that opens the address (by default FindExecutable in
// the current XDG environment), e.g. by a test that inspects the document or counts
// lookups. An empty handler restores the real lookup.
using LookupHandler = std::function<QStringList(const QString &document, const QString &address)>;
void setLookupHandler(LookupHandler handler);

// Forgets the browser found by an earlier click, as at the start of a run.
void ForgetBrowserForTests();

} // namespace platform
