#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>

class ClientDataSet;

// The rows a report reads, one at a time: the current row and one row of look-ahead (a group
// footer prints when the next row belongs to another group). A report never holds its data as
// one value per cell, so a forward-only query can feed a whole-state report.
class CursorRelatorio
{
  public:
    virtual ~CursorRelatorio() = default;

    virtual QStringList campos() const = 0;
    // Back to before the first row; every pass over the data starts here (a query runs again).
    virtual void reinicia() = 0;
    // Moves to the next row; false past the last one (there is then no current row).
    virtual bool proxima() = 0;
    virtual QVariant valor(int campo) const = 0; // of the current row; invalid when there is none
    virtual bool temSeguinte() const = 0;        // is there a row after the current one?
    virtual QVariant valorSeguinte(int campo) const = 0;

    // By name, case-insensitive; -1 and invalid values for an unknown name.
    int indice(const QString &campo) const;
    QVariant valor(const QString &campo) const;
    QVariant valorSeguinte(const QString &campo) const;

  private:
    mutable QHash<QString, int> m_indices;
};

// A row of a cursor as a group expression sees it: the current row or the one after it.
class LinhaRelatorio
{
  public:
    LinhaRelatorio(const CursorRelatorio &cursor, bool seguinte) : m_cursor(cursor), m_seguinte(seguinte) {}
    QVariant valor(const QString &campo) const
    {
        return m_seguinte ? m_cursor.valorSeguinte(campo) : m_cursor.valor(campo);
    }

  private:
    const CursorRelatorio &m_cursor;
    bool m_seguinte;
};

// Rows held in a plain list (small reports, tests).
class CursorMemoria : public CursorRelatorio
{
  public:
    CursorMemoria(QStringList campos, QVector<QVariantList> linhas);
    QStringList campos() const override { return m_campos; }
    void reinicia() override { m_atual = -1; }
    bool proxima() override;
    QVariant valor(int campo) const override;
    bool temSeguinte() const override { return m_atual + 1 < m_linhas.size(); }
    QVariant valorSeguinte(int campo) const override;

  private:
    QStringList m_campos;
    QVector<QVariantList> m_linhas;
    int m_atual = -1;
};

// The rows of an open in-memory dataset, in its view's order, without moving its current row.
// Packets not fetched yet are fetched as the cursor reaches them.
class CursorClientDataSet : public CursorRelatorio
{
  public:
    explicit CursorClientDataSet(ClientDataSet &dados);
    QStringList campos() const override;
    void reinicia() override { m_atual = -1; }
    bool proxima() override;
    QVariant valor(int campo) const override;
    bool temSeguinte() const override;
    QVariant valorSeguinte(int campo) const override;

  private:
    ClientDataSet &m_dados;
    int m_atual = -1;
};

// A forward-only query: two rows are kept (the current and the next), never more. The query
// must be executed (prepared with its values bound, or run from its text) before the first pass;
// a later pass executes it again.
class CursorConsulta : public CursorRelatorio
{
  public:
    explicit CursorConsulta(QSqlQuery &consulta);
    QStringList campos() const override { return m_campos; }
    void reinicia() override;
    bool proxima() override;
    QVariant valor(int campo) const override;
    bool temSeguinte() const override { return m_temSeguinte; }
    QVariant valorSeguinte(int campo) const override;

  private:
    void leSeguinte();

    QSqlQuery &m_q;
    QStringList m_campos;
    QVariantList m_atual, m_seguinte;
    bool m_temAtual = false, m_temSeguinte = false;
    bool m_usada = false; // the query's rows were read: a new pass executes it again
};
