#pragma once
// A fresh home for a benchmark run: the same setup a clerk's installation gets, then made current.

#include "app/setupcommand.h"
#include "shell/diretorios.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

inline void preparaHomeDeBenchmark(const QString &pasta)
{
    OpcoesSetup op;
    op.home = pasta;
    op.anoBase = 2023;
    QString msg;
    if (ExecutaSetup(op, &msg) != 0) {
        std::fprintf(stderr, "%s\n", msg.toUtf8().constData());
        std::exit(1);
    }
    DefineDiretorioSistema(pasta);
}
