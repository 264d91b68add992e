#pragma once

#include <QString>
#include <QStringList>

// What the command line asked for: a subcommand (empty: the GUI), the program folder and the rest.
struct LinhaDeComando {
    QString subcomando;
    QString home;       // --home DIR, else ORBEL_HOME, else empty (the executable's folder)
    QStringList opcoes; // everything after the subcommand, --home removed
    QString erro;       // usage error, empty when fine
};

LinhaDeComando LeLinhaDeComando(const QStringList &argumentos);

// Runs the program as asked; the exit status.
int ExecutaOrbel(int argc, char **argv);
