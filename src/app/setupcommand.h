#pragma once

#include <QString>
#include <QStringList>

struct OpcoesSetup {
    QString home;
    int anoBase = 0; // 0: the current year - 1
    bool forcar = false;
};

// `orbel setup`: lays out a program folder (ORBEL.ini, bd/, temp/, bin/, Backup/, help) and creates
// its database. Returns the exit status; messages go to the streams.
int ExecutaSetup(const OpcoesSetup &opcoes, QString *mensagem);
