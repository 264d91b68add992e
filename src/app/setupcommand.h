#pragma once

#include <QString>

struct OpcoesSetup {
    QString home;
    int anoBase = 0; // 0: the current year - 1
    bool forcar = false;
};

// `orbel setup`: lays out a program folder (ORBEL.ini, bd/, temp/, bin/, Backup/, help) and creates
// its database. Returns the exit status; the message says what was done or why not.
int ExecutaSetup(const OpcoesSetup &opcoes, QString *mensagem);
