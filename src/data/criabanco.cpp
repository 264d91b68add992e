#include "data/criabanco.h"

#include "data/fbconexao.h"
#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{
QString leRecurso(const QString &nome)
{
    QFile f(nome);
    if (!f.open(QIODevice::ReadOnly))
        throw OrbelError(QStringLiteral("Script de instalação ausente: ") + nome);
    return QString::fromUtf8(f.readAll());
}
} // namespace

void CriaBancoOrbel(const QString &caminho, int anoBase)
{
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    FbConexao fb;
    const QString usuario = QString::fromLatin1(TdmPrincipal::Usuario).toUpper();
    fb.criaBanco(caminho, usuario, QString::fromLatin1(TdmPrincipal::Senha));
    try {
        for (const QString &script : {QStringLiteral(":/db/schema.sql"), QStringLiteral(":/db/seed.sql")})
            for (const QString &comando : DivideScriptSql(leRecurso(script)))
                fb.executa(comando);
        fb.executa(
            QStringLiteral("UPDATE PARAMETROS SET VALOR = '%1' WHERE CAMPO = 'ANOEXERCICIO'").arg(anoBase));
    } catch (...) {
        // a half-built database must not be mistaken for an installed one
        fb.desconecta();
        QFile::remove(caminho);
        throw;
    }
}
