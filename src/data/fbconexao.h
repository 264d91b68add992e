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
    // The plan the server would follow for a statement ("?" marks its parameters), without running it.
    QString plano(const QString &sql);

  private:
    unsigned int m_db = 0;
};

// What the program does right after each attachment it makes (nothing unless its start-up says):
// the client library sets up its own process-wide handling, such as of the terminate signals, on
// the first attachment, and the start-up may need to answer it.
void DefineAposConectar(void (*funcao)());
void AposConectar();

// The server's text for a status vector of Firebird's API.
QString TextoErroFirebird(const intptr_t *status);

// Splits a SQL script into statements: ";" ends a statement (or the terminator set by SET TERM),
// "--" starts a comment, and quoted text may hold either.
QStringList DivideScriptSql(const QString &script);
