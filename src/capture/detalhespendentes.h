#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The detail values of a declaration gathered from records 03, 04, 06 and 09 until its first
// record 10, and the subtotals and totals computed when they are written. A value no record set
// reads as 0.
class DetalhesPendentes
{
  public:
    struct Grupo; // the column names of one entry or exit table's subtotals

    // The twelve tables in the order they are written.
    static const QStringList &Tabelas();

    void define(const QString &tabela, const QString &coluna, double valor);
    double valor(const QString &tabela, const QString &coluna) const;
    // The columns of a table that were given or computed; every other column is 0.
    const QHash<QString, double> &valores(const QString &tabela) const;

    // Computes the derived columns of every table for writing, in the order the rows are written:
    // DRO results, DO total, the entry/exit subtotals (with the "without credit/debit" columns at 0)
    // accumulated into the DEC_ENTRADASSAIDAS totals, the Simples total of entries (kept as given
    // for regime "58"), the stock totals. `regimeRegistro10` is positions 66-67 of the record 10.
    void calculaTotais(const QString &regimeRegistro10);

    // Everything back to 0 for the next declaration (or one table, after its row was written).
    void limpa();
    void limpa(const QString &tabela);

  private:
    void subtotais(const QString &tabela, const Grupo &g, bool entrada);
    QHash<QString, QHash<QString, double>> m_valores;
};
