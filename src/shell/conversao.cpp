#include "shell/conversao.h"

#include "shell/orbelerror.h"

int StrToInt(const QString &texto)
{
    bool ok = false;
    const int v = texto.trimmed().toInt(&ok);
    if (!ok)
        throw OrbelError(QStringLiteral("'%1' não é um valor inteiro válido").arg(texto));
    return v;
}
