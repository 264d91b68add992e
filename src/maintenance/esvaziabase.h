#pragma once

#include <QString>

class TdmPrincipal;

// Empties the captured data in one transaction, then reconnects so every shared set is reread:
// "A" the active taxpayers, "R" the returns and all derived from them, "T" both.
void EsvaziaBase(TdmPrincipal &dm, const QString &opcao);
