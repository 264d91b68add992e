#pragma once

#include "reports/engine/cursorrelatorio.h"
#include "reports/engine/paginasrelatorio.h"

#include <QDateTime>
#include <QRectF>
#include <QString>
#include <QVariant>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class Banda;
class Grupo;
class MedidorTexto;
class Relatorio;

// A banded report of ours: a layout declares its bands and their elements in code, then the
// engine lays the rows of a cursor out into pages of positioned items (PaginasRelatorio), which
// are painted on demand (preview, printer, PDF) or dumped as text.
//
// Positions are millimetres, relative to the band's top-left corner; the band spans the page
// between the 10 mm margins (190 mm portrait, 277 mm landscape).
//
// Usage, a layout class per report:
//
//   class TForm_rel_exemplo : public Relatorio
//   {
//     public:
//       TForm_rel_exemplo() : Relatorio(QStringLiteral("Exemplo"))
//       {
//           Banda &cab = cabecalhoPagina();
//           qrpLabelAno = &cab.rotulo({0, 5, 100, 4}, QStringLiteral("Ano Base"));
//           cab.texto({0, 10, 100, 4}, [this] { return QStringLiteral("Município: ") + texto("MUNIC_NOME");
//           }); cabecalhoColunas().rotulo({0, 0, 30, 4}, QStringLiteral("IE")); Grupo &g =
//           adicionaGrupo(QStringLiteral("CONTADOR")); g.cabecalho().campo({0, 0, 100, 4},
//           QStringLiteral("CONTADOR")); detalhe().campo({0, 0, 30, 4}, QStringLiteral("IE"));
//           detalhe().campo({150, 0, 40, 4}, QStringLiteral("VAF"), QStringLiteral("###,###,###,##0"))
//               .setAlinhamento(Qt::AlignRight);
//           detalhe().depoisDeImprimir([this] { m_total += valor("VAF").toDouble(); });
//           g.cabecalho().depoisDeImprimir([this] { m_total = 0; });
//           Banda &rod = g.rodape();
//           rod.contagem({0, 0, 30, 4}, &g);
//           pTotal = &rod.rotulo({150, 0, 40, 4}, {}).setAlinhamento(Qt::AlignRight);
//           rod.antesDeImprimir([this] { pTotal->setValor(m_total, QStringLiteral("###,###,###,##0")); return
//           true; }); sumario().rotulo({0, 0, 40, 4}, QStringLiteral("Total:")); sumario().contagem({40, 0,
//           20, 4}); aoIniciar([this] { m_total = 0; }); // every pass starts from zero
//       }
//       Elemento *qrpLabelAno, *pTotal;
//       double m_total = 0;
//   };
//
//   CursorConsulta cursor(qry);            // or CursorClientDataSet(cds)
//   TForm_rel_exemplo rel;
//   rel.qrpLabelAno->setTexto(...);
//   rel.setCursor(&cursor);
//   PaginasRelatorio paginas = rel.monta(); // then GravaPdf / Despejo / VisualizaRelatorio /
//   ImprimeRelatorio

// What an element shows. Labels keep their text from print to print; the other kinds compute it
// again before every print of their band, before the band's before-print hooks run, so a hook
// may replace it for that print.
class Elemento
{
  public:
    enum class Tipo { Rotulo, Campo, Texto, Contagem, Soma, Regua, Retangulo };

    Tipo tipo() const { return m_tipo; }
    Elemento &setNome(const QString &nome);
    QString nome() const { return m_nome; }

    Elemento &setTexto(const QString &texto);
    QString texto() const { return m_texto; }
    // Formats a value as a data field would: with `mascara` when given, else the element's mask,
    // else the value's plain text; a null value gives an empty text.
    Elemento &setValor(const QVariant &valor, const QString &mascara = {});

    Elemento &setMascara(const QString &mascara);
    QString mascara() const { return m_mascara; }
    Elemento &setAlinhamento(Qt::Alignment alinhamento); // horizontal: left (default), right, centre
    Qt::Alignment alinhamento() const { return m_alinhamento; }
    Elemento &setFonte(const Fonte &fonte);
    Elemento &setTamanho(double pontos);
    Elemento &setNegrito(bool negrito = true);
    const Fonte &fonte() const { return m_fonte; }
    // Multi-line: the text wraps at the element's width and the band grows to hold it.
    Elemento &setQuebraLinhas(bool quebra = true);
    bool quebraLinhas() const { return m_quebra; }
    // A hidden element prints nothing (a hook may hide it for one print; it stays hidden until shown).
    Elemento &setVisivel(bool visivel);
    bool visivel() const { return m_visivel; }
    QRectF caixa() const { return m_caixa; } // mm, in the band

  private:
    friend class Banda;
    friend class Relatorio;
    Elemento(Tipo tipo, const QRectF &caixa) : m_tipo(tipo), m_caixa(caixa) {}

    Tipo m_tipo;
    QRectF m_caixa;
    QString m_nome, m_texto, m_mascara, m_campo;
    Qt::Alignment m_alinhamento = Qt::AlignLeft;
    Fonte m_fonte;
    bool m_quebra = false, m_visivel = true;
    std::function<QString()> m_calcula;
    const Grupo *m_escopo = nullptr; // count and sum: the group, or the whole report
    int m_indiceCampo = -1;
};

class Banda
{
  public:
    enum class Tipo {
        CabecalhoPagina,
        Titulo,
        CabecalhoColunas,
        CabecalhoGrupo,
        Detalhe,
        RodapeGrupo,
        Sumario,
        Filha
    };

    Tipo tipo() const { return m_tipo; }
    QString nome() const { return m_nome; }
    Banda &setNome(const QString &nome);
    // Height in mm; by default the lowest element's bottom. Multi-line elements may grow it.
    Banda &setAltura(double mm);
    double altura() const;
    // A band switched off prints nothing, its children neither.
    Banda &setAtiva(bool ativa);
    bool ativa() const { return m_ativa; }

    // --- elements (the references stay valid for the report's life) ---------------------------
    Elemento &rotulo(const QRectF &caixa, const QString &texto);
    // A column of the current row, formatted with the mask (or as plain text).
    Elemento &campo(const QRectF &caixa, const QString &campo, const QString &mascara = {});
    // A text computed before each print.
    Elemento &texto(const QRectF &caixa, std::function<QString()> calcula);
    // Printed detail rows of the group's scope (of the whole report without a group) so far.
    Elemento &contagem(const QRectF &caixa, const Grupo *escopo = nullptr, const QString &mascara = {});
    // Sum of a column over the printed detail rows of the scope (null counts as 0).
    Elemento &soma(const QRectF &caixa, const QString &campo, const Grupo *escopo = nullptr,
                   const QString &mascara = {});
    // A horizontal rule of the given width, `espessura` mm thick.
    Elemento &regua(double x, double y, double largura, double espessura = 0.2);
    Elemento &retangulo(const QRectF &caixa, double espessura = 0.2);

    // --- hooks ------------------------------------------------------------------------------
    // Before each print, after the element texts were computed: may change texts and values;
    // returning false leaves the band out (a detail row left out is neither printed nor counted
    // nor summed, and its after-print hooks and children do not run).
    Banda &antesDeImprimir(std::function<bool()> gancho);
    // After each print (running totals).
    Banda &depoisDeImprimir(std::function<void()> gancho);

    // A child band prints right after its parent, each time the parent prints.
    Banda &adicionaFilha(const QString &nome = {});

    const std::deque<Elemento> &elementos() const { return m_elementos; }

  private:
    friend class Relatorio;
    friend class Grupo;
    Banda(Relatorio *relatorio, Tipo tipo, QString nome);
    Elemento &acrescenta(Elemento::Tipo tipo, const QRectF &caixa);

    Relatorio *m_relatorio;
    Tipo m_tipo;
    QString m_nome;
    double m_altura = -1;
    bool m_ativa = true;
    std::deque<Elemento> m_elementos;
    std::vector<std::function<bool()>> m_antes;
    std::vector<std::function<void()>> m_depois;
    std::vector<std::unique_ptr<Banda>> m_filhas;
};

// A group: a header before its first row and a footer after its last, the rows taken in the
// cursor's order; a new group starts where the expression's value changes.
class Grupo
{
  public:
    using Expressao = std::function<QVariant(const LinhaRelatorio &)>;

    Banda &cabecalho() { return *m_cabecalho; }
    Banda &rodape() { return *m_rodape; }
    QString nome() const { return m_nome; }
    // The header prints again at the top of every page the group continues on.
    Grupo &setRepeteCabecalho(bool repete = true);
    bool repeteCabecalho() const { return m_repete; }

  private:
    friend class Relatorio;
    Grupo(Relatorio *relatorio, QString nome, Expressao expressao);

    QString m_nome;
    Expressao m_expressao;
    bool m_repete = false;
    std::unique_ptr<Banda> m_cabecalho, m_rodape;
};

class Relatorio
{
  public:
    enum class Orientacao { Retrato, Paisagem };

    explicit Relatorio(QString tituloRelatorio = {});
    virtual ~Relatorio();
    Relatorio(const Relatorio &) = delete;
    Relatorio &operator=(const Relatorio &) = delete;

    // The title names the preview window and the print job.
    QString tituloRelatorio() const { return m_titulo; }
    void setTituloRelatorio(const QString &titulo);
    void setOrientacao(Orientacao o);
    Orientacao orientacao() const { return m_orientacao; }
    double larguraUtil() const; // mm between the side margins
    // "Página N de M" at the foot of every page (on by default).
    void setNumeraPaginas(bool numera);

    // --- bands --------------------------------------------------------------------------------
    Banda &cabecalhoPagina();  // top of every page
    Banda &titulo();           // once, below the page header of the first page
    Banda &cabecalhoColunas(); // every page, below the page header (and the title)
    Banda &detalhe();          // once per row
    Banda &sumario();          // once, after the last row (also when there is none)
    // Groups nest in the order they are added: the first is the outermost.
    Grupo &adicionaGrupo(const QString &nome, Grupo::Expressao expressao);
    // Grouped by one column, or by several joined (a change in any starts a new group).
    Grupo &adicionaGrupo(const QString &campo);
    Grupo &adicionaGrupo(const QStringList &campos);

    // Runs when each pass over the data starts, before any band: running totals go back to zero.
    void aoIniciar(std::function<void()> gancho);

    // --- data -------------------------------------------------------------------------------
    void setCursor(CursorRelatorio *cursor); // not owned; must outlive monta()
    CursorRelatorio *cursor() const { return m_cursor; }
    // The current row, for hooks and computed texts (invalid before the first and after the last).
    QVariant valor(const QString &campo) const;
    QString texto(const QString &campo) const; // plain text of the value, empty for null
    // Printed detail rows so far, of a group (since its header) or of the whole pass.
    int contagem(const Grupo *escopo = nullptr) const;

    // The moment printed in the page headers; fixed once set (golden files), else taken when
    // each pass starts.
    void setDataHoraImpressao(const QDateTime &momento);
    QDateTime dataHoraImpressao() const;

    // Optional: told of every row read, so long work can show progress.
    void setProgresso(std::function<void(int linhasLidas)> progresso);

    // Lays every row out into pages; each call is a new pass over the cursor (it starts again).
    // The measurer gives text widths for the multi-line elements; by default DejaVu's metrics.
    PaginasRelatorio monta();
    PaginasRelatorio monta(const MedidorTexto &medidor);

  private:
    struct Montagem;
    friend class Banda;
    friend class Grupo;

    QString m_titulo;
    Orientacao m_orientacao = Orientacao::Retrato;
    bool m_numeraPaginas = true;
    std::unique_ptr<Banda> m_cabecalhoPagina, m_tituloBanda, m_cabecalhoColunas, m_detalhe, m_sumario;
    std::vector<std::unique_ptr<Grupo>> m_grupos;
    std::vector<std::function<void()>> m_aoIniciar;
    CursorRelatorio *m_cursor = nullptr;
    QDateTime m_momentoFixo, m_momento;
    std::function<void(int)> m_progresso;
    Montagem *m_montagem = nullptr; // during monta(): counts and sums of the pass
};
