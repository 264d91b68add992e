#include "data/executasql.h"

#include "data/errodisco.h"
#include "shell/orbelerror.h"

#include <QSqlError>

namespace
{
// Which statement failed, ahead of the server's text; long statements are cut to their start.
[[noreturn]] void falhaNaInstrucao(const QString &sql, const QSqlError &erro)
{
    QString inicio = sql.simplified();
    if (inicio.size() > 80)
        inicio = inicio.left(77) + QStringLiteral("...");
    const QString texto = QStringLiteral("Erro ao executar \"%1\".\r\n").arg(inicio) + erro.text();
    bool cheio = false;
    if (EhErroDisco(erro.text(), &cheio))
        LancaErroDisco(ErroDisco(texto, cheio, QString()));
    throw OrbelError(texto);
}
} // namespace

QSqlQuery ExecutaSql(const QSqlDatabase &db, const QString &sql, const QVariantList &valores)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        falhaNaInstrucao(sql, q.lastError());
    for (const QVariant &v : valores)
        q.addBindValue(v);
    if (!q.exec())
        falhaNaInstrucao(sql, q.lastError());
    return q;
}
