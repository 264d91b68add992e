#pragma once

#include <QString>
#include <QStringList>

class TdmPrincipal;

// Empties the captured data in one transaction, then reconnects so every shared set is reread:
// "A" the active taxpayers, "R" the returns and all derived from them, "T" both.
void EsvaziaBase(TdmPrincipal &dm, const QString &opcao);

// The statements of a clean-up, in their order; the capture runs them in its own transaction when
// it replaces a whole kind, so that a capture that fails leaves the data as it was.
QStringList ComandosEsvaziaBase(const QString &opcao);
