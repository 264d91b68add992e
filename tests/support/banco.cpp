#include "support/banco.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

BancoDeTeste::BancoDeTeste(const QString &caminho) : m_nome(QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase("QIBASE", m_nome);
    db.setDatabaseName(caminho);
    db.setUserName("SYSDBA");
    db.setPassword("plumwater");
    if (!db.open())
        ADD_FAILURE() << db.lastError().text().toStdString();
}

BancoDeTeste::~BancoDeTeste()
{
    QSqlDatabase::database(m_nome, false).close();
    QSqlDatabase::removeDatabase(m_nome);
}

void BancoDeTeste::executa(const QString &sql, const QVariantList &valores)
{
    QSqlQuery q(QSqlDatabase::database(m_nome, false));
    q.prepare(sql);
    for (const auto &v : valores)
        q.addBindValue(v);
    if (!q.exec())
        ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
}

QVariant BancoDeTeste::valor(const QString &sql, const QVariantList &valores)
{
    QSqlQuery q(QSqlDatabase::database(m_nome, false));
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const auto &v : valores)
        q.addBindValue(v);
    if (!q.exec()) {
        ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
        return {};
    }
    return q.next() ? q.value(0) : QVariant();
}

int BancoDeTeste::conta(const QString &tabela, const QString &onde)
{
    return valor("SELECT COUNT(*) FROM " + tabela + (onde.isEmpty() ? QString() : " WHERE " + onde)).toInt();
}
