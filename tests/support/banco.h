#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

// A side connection to a test's database, for arranging and checking rows behind the program's back.
class BancoDeTeste
{
  public:
    explicit BancoDeTeste(const QString &caminho);
    ~BancoDeTeste();
    void executa(const QString &sql, const QVariantList &valores = {});
    QVariant valor(const QString &sql, const QVariantList &valores = {});
    int conta(const QString &tabela, const QString &onde = {});
    QString nomeConexao() const { return m_nome; }

  private:
    QString m_nome;
};
