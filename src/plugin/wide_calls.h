// Whether the running player offers the UTF-16 twin of every call. It does when
// it answers the wide settings-folder request with a text; a player that does
// not is spoken to in ANSI throughout, exactly as before. Found once at start
// and kept in memory only.
#pragma once

namespace tg {

bool wideCalls();
// Asks the player; init calls it before anything else is asked.
void detectWideCalls();
// A new player (tests): ANSI until detected.
void resetWideCalls();

} // namespace tg
