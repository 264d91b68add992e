#include "data/executasql.h"

#include "shell/orbelerror.h"

#include <QSqlError>

QSqlQuery ExecutaSql(const QSqlDatabase &db, const QString &sql, const QVariantList &valores)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw OrbelError(q.lastError().text());
    for (const QVariant &v : valores)
        q.addBindValue(v);
    if (!q.exec())
        throw OrbelError(q.lastError().text());
    return q;
}
