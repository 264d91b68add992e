#pragma once

// What differs between the systems the program runs on, behind one small seam.
namespace Plataforma
{
// Ends the process at once, as for any program, when it is asked to stop (SIGINT, SIGTERM). The
// database client answers those signals on its own by closing every attachment from a thread of
// its own and letting the process run on with dead connections; racing an exit (the display gone
// at logout) it can spin for ever holding the database file. The client installs its handlers on
// the first attachment, so this runs after connecting. The engine's careful writes keep the file
// sound, and a capture cut short is redone with replacement.
void EncerraNosSinaisDeTermino();
} // namespace Plataforma
