#pragma once

#include "capture/capturaarquivos.h"
#include "data/tdmprincipal.h"
#include "shell/scriptedui.h"
#include "support/moduloteste.h"
#include "support/temphome.h"

#include <memory>

// A seeded home with a started data module and scripted answers, ready to capture archives
// through the same flow as the capture window.
struct CapturaTeste : ModuloTeste {
    CapturaTeste() { inicia(); }

    bool captura(int tipo, const QString &zip)
    {
        CapturaArquivos c(*dm, ui);
        c.abre();
        const bool ok = c.Captura(tipo, zip);
        c.fecha();
        return ok;
    }
};
