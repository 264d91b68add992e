#pragma once

#include <QString>
#include <QStringList>

// What a run of the program left: its exit code, what it wrote on stdout and on stderr, and
// whether it ended by itself (neither killed by a signal nor still running after the wait).
struct SaidaOrbel {
    int status = -1;
    QString saida, erros;
    bool normal = false;
};

// Runs the program as a clerk's script would, with no display and no platform plugin named:
// a headless command must need neither.
SaidaOrbel ExecutaOrbel(const QStringList &argumentos, int esperaMs = 120000);
