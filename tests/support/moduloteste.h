#pragma once

#include "data/tdmprincipal.h"
#include "shell/scriptedui.h"
#include "support/temphome.h"

#include <memory>

// A seeded home with scripted answers; inicia() starts the data module on it as the program does
// and forgets the messages of the start.
struct ModuloTeste {
    TempHome home = TempHome::seeded();
    ScriptedUi ui;
    std::unique_ptr<TdmPrincipal> dm;

    void inicia()
    {
        dm = std::make_unique<TdmPrincipal>(ui);
        dm->Inicia();
        ui.limpa();
    }
};
