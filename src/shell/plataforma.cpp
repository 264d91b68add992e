#include "shell/plataforma.h"

#include <QtGlobal>

#ifndef Q_OS_WIN
#include <signal.h>
#endif

namespace Plataforma
{

void EncerraNosSinaisDeTermino()
{
#ifndef Q_OS_WIN
    for (const int sinal : {SIGINT, SIGTERM}) {
        struct sigaction atual {
        };
        // an ignored signal stays ignored (nohup, a shell's background job)
        if (sigaction(sinal, nullptr, &atual) == 0 && atual.sa_handler != SIG_IGN)
            signal(sinal, SIG_DFL);
    }
#endif
    // Windows has no such signals to reset; console events keep their default handling.
}

} // namespace Plataforma
