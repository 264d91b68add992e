#pragma once

#include "data/clientdataset.h"
#include "reports/fonterelatorio.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <memory>

struct ExecucaoRelatorio;

// What every report layout shares: its captions (set by the report operation before output), its
// orientation, and, for the layouts that carry their own query, the set `cdsRel` with the declared
// field list (SQLRel2 and prvRel of the layout are this set's statement and its reading).
class LayoutRelatorio
{
  public:
    virtual ~LayoutRelatorio() = default;

    bool paisagem() const { return m_paisagem; }
    void setLegenda(const QString &nome, const QString &texto) { m_legendas[nome] = texto; }
    QString legenda(const QString &nome) const { return m_legendas.value(nome); }

    // The layout's own query; empty for the layouts that print the shared query.
    ClientDataSet cdsRel{QStringLiteral("cdsRel")};
    const QVector<CampoDeclarado> &camposDeclarados() const { return m_campos; }
    bool temConsultaPropria() const { return !m_campos.isEmpty(); }

    // The rows being printed, set by the operation once its data is open.
    void setFonte(FonteRelatorio *fonte) { m_fonte = fonte; }
    FonteRelatorio *fonte() const { return m_fonte; }

  protected:
    void setPaisagem(bool p) { m_paisagem = p; }
    void declaraConsulta(const QString &sql, QVector<CampoDeclarado> campos)
    {
        cdsRel.setCommandText(sql);
        m_campos = std::move(campos);
    }

  private:
    bool m_paisagem = false;
    QHash<QString, QString> m_legendas;
    QVector<CampoDeclarado> m_campos;
    FonteRelatorio *m_fonte = nullptr;
};

// Where the pages of a report go when they are not exported: the preview window or the printer in
// the GUI, a PDF file on the command line.
class SaidaRelatorio
{
  public:
    virtual ~SaidaRelatorio() = default;
    virtual void visualiza(LayoutRelatorio &layout) = 0;
    virtual void imprime(LayoutRelatorio &layout) = 0;
};
