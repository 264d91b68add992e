#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

// A connection through Firebird's own client API, for the installer's work (creating the database
// and running the scripts) and, later, bulk inserts. Errors raise OrbelError with the server's text.
class FbConexao
{
  public:
    FbConexao() = default;
    ~FbConexao();
    FbConexao(const FbConexao &) = delete;
    FbConexao &operator=(const FbConexao &) = delete;

    // CREATE DATABASE with the WIN1252 default character set, then attaches to it.
    void criaBanco(const QString &caminho, const QString &usuario, const QString &senha);
    void conecta(const QString &caminho, const QString &usuario, const QString &senha);
    void desconecta();
    bool conectado() const { return m_db != 0; }

    // Runs one statement in its own transaction, committed at once. Text goes as Windows-1252.
    void executa(const QString &sql);

  private:
    unsigned int m_db = 0;
};

// The client library answers SIGINT and SIGTERM by closing every attachment from a thread of its own
// and letting the process run on with dead connections; racing an exit (the display gone at logout)
// it can spin for ever holding the database file. Called once connected: the signals end the
// process at once, as for any program. The engine's careful writes keep the file sound, and a
// capture cut short is redone with replacement.
void EncerraProcessoNosSinaisDeTermino();

// The server's text for a status vector of Firebird's API.
QString TextoErroFirebird(const intptr_t *status);

// Splits a SQL script into statements: ";" ends a statement (or the terminator set by SET TERM),
// "--" starts a comment, and quoted text may hold either.
QStringList DivideScriptSql(const QString &script);
