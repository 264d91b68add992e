#include "shell/instalaajuda.h"

#include "shell/orbelerror.h"

#include <QFile>

// The resource lives in a static library: naming its initialiser keeps the linker from
// dropping it, and registers it before the first copy.
static void registraRecursoAjuda()
{
    Q_INIT_RESOURCE(ajuda);
}

void InstalaAjuda(const QString &destino)
{
    registraRecursoAjuda();
    const QString origem = QStringLiteral(":/ajuda/ORBEL.HLP");
    if (QFile::exists(destino) && !QFile::remove(destino))
        throw OrbelError(QStringLiteral("Não foi possível substituir ") + destino);
    if (!QFile::copy(origem, destino))
        throw OrbelError(QStringLiteral("Não foi possível gravar ") + destino);
    // a copy out of the resources is read-only; the next setup must be able to replace it
    QFile::setPermissions(destino,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
