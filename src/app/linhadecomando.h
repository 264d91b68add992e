#pragma once

#include <QString>
#include <QStringList>

// What the command line asked for, before the subcommand's own options are read: the subcommand
// (empty: the GUI), the program folder and the rest.
struct LinhaDeComando {
    QString subcomando;
    QString home;       // --home DIR, else ORBEL_HOME, else empty (the executable's folder)
    QStringList opcoes; // everything after the subcommand
    bool ajuda = false; // --help before any subcommand
    QString erro;       // usage error, empty when fine
};

// `argumentos` starts with the program's name, as argv does.
LinhaDeComando LeLinhaDeComando(const QStringList &argumentos);

// Runs the program as asked; the exit status (0 done, 1 refused or failed, 2 usage).
int ExecutaOrbel(int argc, char **argv);
