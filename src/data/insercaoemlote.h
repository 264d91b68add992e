#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QTime>
#include <memory>
#include <vector>

// A transaction of Firebird's own API on the data module's connection. With `linhasPorLote` > 0
// it is committed every that many rows (bulk loads that keep what was written); with 0 nothing is
// committed until `conclui()`, so a capture is all or nothing.
// What is not concluded is rolled back: when the object goes away unconcluded (an error, a
// cancellation) nothing written since the last commit stays, and a failing commit is an error the
// caller reports, never a silent loss.
class TransacaoEmLote
{
  public:
    explicit TransacaoEmLote(const QSqlDatabase &db, int linhasPorLote = 10000);
    ~TransacaoEmLote(); // rolls back what was not concluded
    TransacaoEmLote(const TransacaoEmLote &) = delete;
    TransacaoEmLote &operator=(const TransacaoEmLote &) = delete;

    // Counts a written row; commits when the batch is full (batch mode only).
    void linhaGravada();
    // Commits what was written and keeps the transaction open (batch mode).
    void confirma();
    // Commits and ends the transaction; raises OrbelError (and rolls back) when the commit fails.
    void conclui();
    // Rolls back and ends the transaction; safe to call more than once.
    void desfaz();
    bool aberta() const { return m_tr != 0; }
    qint64 linhas() const { return m_linhas; }

    void *bancoNativo() { return m_db; }
    void *transacaoNativa() { return &m_tr; }

  private:
    unsigned int m_dbHandle = 0; // isc_db_handle of Qt's connection
    void *m_db = nullptr;
    unsigned int m_tr = 0; // isc_tr_handle
    int m_porLote;
    int m_noLote = 0;
    qint64 m_linhas = 0;
};

// One INSERT (or any other statement) prepared once and executed per row, with values bound by
// parameter name (":IE") or position. A SELECT's rows are read with `proxima()` and `texto()`,
// inside the same transaction: a capture sees its own deletions. Errors raise OrbelError with the
// server's text.
class InsercaoEmLote
{
  public:
    InsercaoEmLote(TransacaoEmLote &transacao, const QString &sql);
    ~InsercaoEmLote();
    InsercaoEmLote(const InsercaoEmLote &) = delete;
    InsercaoEmLote &operator=(const InsercaoEmLote &) = delete;

    int indice(const QString &nome) const; // -1 when the statement has no such parameter
    int parametros() const;

    // Text goes as text and the server converts it to the column's type; empty text stays empty.
    void setTexto(int i, const QString &valor);
    // The same, with empty text as NULL (numbers and dates given as text).
    void setTextoOuNulo(int i, const QString &valor);
    void setDouble(int i, double valor);
    void setInteiro(int i, qint64 valor);
    void setData(int i, const QDate &valor);
    void setHora(int i, const QTime &valor);
    void setNulo(int i);
    void setTexto(const QString &nome, const QString &valor) { setTexto(exige(nome), valor); }
    void setDouble(const QString &nome, double valor) { setDouble(exige(nome), valor); }
    void setTextoOuNulo(const QString &nome, const QString &valor) { setTextoOuNulo(exige(nome), valor); }
    void setNulo(const QString &nome) { setNulo(exige(nome)); }
    // Every parameter back to NULL.
    void limpa();
    // Every parameter to the zero of its column's type: empty text, 0, the zero date 30/12/1899,
    // midnight; a column no record sets is then written as 0 or empty, never NULL.
    void zera();
    // Binds a value by its type (text, whole number, double, date, time; invalid: NULL).
    void setValor(int i, const QVariant &valor);
    void setValor(const QString &nome, const QVariant &valor) { setValor(exige(nome), valor); }

    void executa();
    // After executing a SELECT: the next row, false after the last.
    bool proxima();
    // A column of the current row as text (numbers in the server's form, NULL as empty text).
    QString texto(int coluna) const;

  private:
    int exige(const QString &nome) const;
    void preparaSaida();
    void poeBinario(int i, short tipo, const void *dados, int tamanho);
    struct Impl;
    std::unique_ptr<Impl> d;
    TransacaoEmLote &m_transacao;
};
