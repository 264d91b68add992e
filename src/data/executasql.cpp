#include "data/executasql.h"

#include "shell/orbelerror.h"

#include <QSqlError>

namespace
{
// Which statement failed, ahead of the server's text; long statements are cut to their start.
OrbelError erroNaInstrucao(const QString &sql, const QSqlError &erro)
{
    QString inicio = sql.simplified();
    if (inicio.size() > 80)
        inicio = inicio.left(77) + QStringLiteral("...");
    return OrbelError(QStringLiteral("Erro ao executar \"%1\".\r\n").arg(inicio) + erro.text());
}
} // namespace

QSqlQuery ExecutaSql(const QSqlDatabase &db, const QString &sql, const QVariantList &valores)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw erroNaInstrucao(sql, q.lastError());
    for (const QVariant &v : valores)
        q.addBindValue(v);
    if (!q.exec())
        throw erroNaInstrucao(sql, q.lastError());
    return q;
}
