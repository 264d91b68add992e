#pragma once

#include "maintenance/copiaseguranca.h"

#include <QString>

class TdmPrincipal;

// "&Restaurar": refuses a blank name and any extension but ".zip" (OrbelError, nothing touched);
// otherwise disconnects, extracts the archive and puts its database in place inside the progress
// work, reconnects and records the archive in ORBEL.ini, also after a failure. True when restored;
// a failure has been shown by the progress work.
bool RestauraCopiaSeguranca(TdmPrincipal &dm, const QString &arquivo,
                            const ExecutaProcessamento &processa = ProcessaSemJanela);
