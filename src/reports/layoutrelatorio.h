#pragma once

#include "data/clientdataset.h"
#include "reports/engine/relatorio.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <functional>

// The declared field of a layout's in-memory set: only these are printed and exported, in this order.
struct CampoDeclarado {
    enum Tipo { Texto, Data, Hora, Real, Fixo };
    QString nome;
    Tipo tipo = Texto;
    int tamanho = 0;
    bool obrigatorio = false;
};

// What every report layout shares: the page header of the control reports (department, base year,
// title, municipality, moment of printing), captions set by the report operation before output, and,
// for the layouts that carry their own query, the set `cdsRel` with its declared field list (the
// layout's SQLRel2 and prvRel are this set's statement and its reading).
class LayoutRelatorio : public Relatorio
{
  public:
    static constexpr double Linha = 4.5; // mm of one line of 8-point text

    void setLegenda(const QString &nome, const QString &texto) { m_legendas[nome] = texto; }
    QString legenda(const QString &nome) const { return m_legendas.value(nome); }
    bool paisagem() const { return orientacao() == Orientacao::Paisagem; }

    // The layout's own query; unused by the layouts that print the shared query.
    ClientDataSet cdsRel{QStringLiteral("cdsRel")};
    const QVector<CampoDeclarado> &camposDeclarados() const { return m_campos; }

  protected:
    enum Secretaria { DaFazenda, DeFazenda };
    LayoutRelatorio(const QString &titulo, Orientacao orientacao, Secretaria secretaria = DaFazenda);

    void declaraConsulta(const QString &sql, QVector<CampoDeclarado> campos);
    // The page header: the department, "Declaração Anual ... - Ano Base" with the base year
    // (qrpLabelAno), the title, "Município:" with the name given (when there is one), and at the
    // right "Impresso: " with the moment of printing.
    void cabecalhoPadrao(std::function<QString()> titulo, std::function<QString()> municipio);
    // The name of the municipality in the current row; between pages and after the last row the
    // last one seen.
    QString municipioDaLinha(const QString &campo);

    struct Coluna {
        double x, largura;
        QString titulo;
        Qt::Alignment alinhamento = Qt::AlignLeft;
    };
    // Column titles at `y` of a band, over a rule.
    void titulosColunas(Banda &banda, double y, const QVector<Coluna> &colunas);
    Elemento &rotulo(Banda &banda, double x, double y, double largura, const QString &texto,
                     Qt::Alignment alinhamento = Qt::AlignLeft);
    Elemento &campo(Banda &banda, double x, double y, double largura, const QString &nome,
                    const QString &mascara = {}, Qt::Alignment alinhamento = Qt::AlignLeft);
    // Several columns printed one after the other under one title, blanks between them.
    Elemento &campos(Banda &banda, double x, double y, double largura, const QStringList &nomes);
    // The summary band every list ends with: a rule, then `texto` and the count of printed rows
    // right after it. Returned so a list can add its totals beside the count.
    Banda &sumarioComContagem(const QString &texto, double largura);

  private:
    QHash<QString, QString> m_legendas;
    QVector<CampoDeclarado> m_campos;
    QString m_secretaria;
    QString m_ultimoMunicipio;
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
