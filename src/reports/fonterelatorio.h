#pragma once

#include "data/clientdataset.h"

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// The rows a report prints or exports, read once from the first to the last. Both kinds of report
// data serve it: the shared forward-only query and a layout's in-memory set with its declared fields.
class FonteRelatorio
{
  public:
    virtual ~FonteRelatorio() = default;
    virtual QStringList colunas() const = 0;
    // Moves to the next row (the first on the first call); false after the last.
    virtual bool proxima() = 0;
    virtual QVariant valor(int coluna) const = 0;
    // One row of look-ahead, never moving the current row: before the first call of proxima() the
    // row after is the first one (captions taken from it), later it closes groups.
    virtual bool haSeguinte() = 0;
    virtual QVariant valorSeguinte(int coluna) = 0;
    // True when there is no row at all; only before the first row is taken.
    bool vazia() { return !haSeguinte(); }
    // A set being edited or inserted into cannot be exported.
    virtual bool emEdicao() const { return false; }
    // Back before the first row, so that a second pass sees every row again.
    virtual void reinicia() = 0;

    int indice(const QString &coluna) const;
    QVariant valor(const QString &coluna) const;
    QVariant valorSeguinte(const QString &coluna);
};

// An executed forward-only query. It keeps one row of look-ahead so that "no rows" is known before
// the first row is taken; a second pass runs the statement again.
class FonteConsulta : public FonteRelatorio
{
  public:
    explicit FonteConsulta(QSqlQuery &consulta);
    QStringList colunas() const override { return m_colunas; }
    bool proxima() override;
    QVariant valor(int coluna) const override;
    bool haSeguinte() override;
    QVariant valorSeguinte(int coluna) override;
    void reinicia() override;

  private:
    bool leLinha(QVector<QVariant> &destino);

    QSqlQuery &m_q;
    QStringList m_colunas;
    QVector<QVariant> m_atual;
    QVector<QVariant> m_seguinte;
    bool m_temSeguinte = false;
    bool m_leuSeguinte = false;
    bool m_naPrimeira = true; // nothing taken since the statement ran
};

// The declared field of a layout's in-memory set: only these are printed and exported, in this order.
struct CampoDeclarado {
    enum Tipo { Texto, Data, Hora, Real, Fixo };
    QString nome;
    Tipo tipo = Texto;
    int tamanho = 0;
    bool obrigatorio = false;
};

class FonteConjunto : public FonteRelatorio
{
  public:
    FonteConjunto(ClientDataSet &cds, QVector<CampoDeclarado> campos);
    QStringList colunas() const override;
    bool proxima() override;
    QVariant valor(int coluna) const override;
    bool haSeguinte() override { return m_linha + 1 < m_cds.recordCount(); }
    QVariant valorSeguinte(int coluna) override;
    bool emEdicao() const override { return m_cds.emEdicao(); }
    void reinicia() override { m_linha = -1; }

  private:
    ClientDataSet &m_cds;
    QVector<CampoDeclarado> m_campos;
    QVector<int> m_indices; // column of each declared field in the set
    int m_linha = -1;
};
