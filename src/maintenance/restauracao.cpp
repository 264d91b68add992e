#include "maintenance/restauracao.h"

#include "data/tdmprincipal.h"
#include "maintenance/processabackup.h"
#include "shell/diretorios.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"

bool RestauraCopiaSeguranca(TdmPrincipal &dm, const QString &arquivo, const ExecutaProcessamento &processa)
{
    if (arquivo.trimmed().isEmpty())
        throw OrbelError(QStringLiteral("Favor Selecionar arquivo a ser restaurado"));
    if (!arquivo.endsWith(QLatin1String(".zip"), Qt::CaseSensitive))
        throw OrbelError(QStringLiteral("Arquivo deve ter a extensão .zip"));
    const QString ini = ArquivoIni();
    const QString banco = LeIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Database"));
    dm.Desconectar();
    bool ok = false;
    try {
        ProcessaBackup p(dm.ui(), ProcessaBackup::Modo::Restauracao, arquivo, banco);
        ok = processa(p);
    } catch (...) {
        dm.Conectar();
        GravaIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Restore"), arquivo);
        throw;
    }
    dm.Conectar();
    GravaIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Restore"), arquivo);
    return ok;
}
