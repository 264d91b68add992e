#include "reports/engine/relatorio.h"

#include "reports/engine/medidortexto.h"
#include "shell/formatacao.h"

#include <QHash>

namespace
{

constexpr int LarguraA4 = 2100, AlturaA4 = 2970; // tenths of a millimetre
constexpr int Margem = 100;
constexpr int AlturaRodape = 50; // kept free above the bottom margin for "Página N de M"

int decimos(double mm)
{
    return qRound(mm * 10);
}

// A data field's or a computed value's text: the mask for numbers, else the plain text.
QString formata(const QVariant &valor, const QString &mascara)
{
    if (valor.isNull())
        return {};
    if (!mascara.isEmpty()) {
        bool ok = false;
        const double d = valor.toDouble(&ok);
        if (ok)
            return Formatacao::mascara(d, mascara);
    }
    return Formatacao::textoSimples(valor);
}

} // namespace

// --- Elemento -----------------------------------------------------------------------------------

Elemento &Elemento::setNome(const QString &nome)
{
    m_nome = nome;
    return *this;
}
Elemento &Elemento::setTexto(const QString &texto)
{
    m_texto = texto;
    return *this;
}
Elemento &Elemento::setValor(const QVariant &valor, const QString &mascara)
{
    m_texto = formata(valor, mascara.isEmpty() ? m_mascara : mascara);
    return *this;
}
Elemento &Elemento::setMascara(const QString &mascara)
{
    m_mascara = mascara;
    return *this;
}
Elemento &Elemento::setAlinhamento(Qt::Alignment alinhamento)
{
    m_alinhamento = alinhamento & Qt::AlignHorizontal_Mask;
    return *this;
}
Elemento &Elemento::setFonte(const Fonte &fonte)
{
    m_fonte = fonte;
    return *this;
}
Elemento &Elemento::setTamanho(double pontos)
{
    m_fonte.pontos = pontos;
    return *this;
}
Elemento &Elemento::setNegrito(bool negrito)
{
    m_fonte.negrito = negrito;
    return *this;
}
Elemento &Elemento::setQuebraLinhas(bool quebra)
{
    m_quebra = quebra;
    return *this;
}
Elemento &Elemento::setVisivel(bool visivel)
{
    m_visivel = visivel;
    return *this;
}

// --- Banda --------------------------------------------------------------------------------------

Banda::Banda(Relatorio *relatorio, Tipo tipo, QString nome)
    : m_relatorio(relatorio), m_tipo(tipo), m_nome(std::move(nome))
{
}

Banda &Banda::setNome(const QString &nome)
{
    m_nome = nome;
    return *this;
}

Banda &Banda::setAltura(double mm)
{
    m_altura = mm;
    return *this;
}

double Banda::altura() const
{
    if (m_altura >= 0)
        return m_altura;
    double h = 0;
    for (const Elemento &e : m_elementos)
        h = std::max(h, e.m_caixa.bottom());
    return h;
}

Banda &Banda::setAtiva(bool ativa)
{
    m_ativa = ativa;
    return *this;
}

Elemento &Banda::acrescenta(Elemento::Tipo tipo, const QRectF &caixa)
{
    m_elementos.push_back(Elemento(tipo, caixa));
    return m_elementos.back();
}

Elemento &Banda::rotulo(const QRectF &caixa, const QString &texto)
{
    return acrescenta(Elemento::Tipo::Rotulo, caixa).setTexto(texto);
}

Elemento &Banda::campo(const QRectF &caixa, const QString &campo, const QString &mascara)
{
    Elemento &e = acrescenta(Elemento::Tipo::Campo, caixa);
    e.m_campo = campo;
    e.m_nome = campo;
    return e.setMascara(mascara);
}

Elemento &Banda::texto(const QRectF &caixa, std::function<QString()> calcula)
{
    Elemento &e = acrescenta(Elemento::Tipo::Texto, caixa);
    e.m_calcula = std::move(calcula);
    return e;
}

Elemento &Banda::contagem(const QRectF &caixa, const Grupo *escopo, const QString &mascara)
{
    Elemento &e = acrescenta(Elemento::Tipo::Contagem, caixa);
    e.m_escopo = escopo;
    return e.setMascara(mascara);
}

Elemento &Banda::soma(const QRectF &caixa, const QString &campo, const Grupo *escopo, const QString &mascara)
{
    Elemento &e = acrescenta(Elemento::Tipo::Soma, caixa);
    e.m_campo = campo;
    e.m_escopo = escopo;
    return e.setMascara(mascara);
}

Elemento &Banda::regua(double x, double y, double largura, double espessura)
{
    return acrescenta(Elemento::Tipo::Regua, QRectF(x, y, largura, espessura));
}

Elemento &Banda::retangulo(const QRectF &caixa, double espessura)
{
    Elemento &e = acrescenta(Elemento::Tipo::Retangulo, caixa);
    e.m_texto = QString::number(espessura); // the frame's thickness travels in the text
    return e;
}

Banda &Banda::antesDeImprimir(std::function<bool()> gancho)
{
    m_antes.push_back(std::move(gancho));
    return *this;
}

Banda &Banda::depoisDeImprimir(std::function<void()> gancho)
{
    m_depois.push_back(std::move(gancho));
    return *this;
}

Banda &Banda::adicionaFilha(const QString &nome)
{
    const QString n =
        nome.isEmpty() ? m_nome + QStringLiteral("_filha") + QString::number(m_filhas.size() + 1) : nome;
    m_filhas.push_back(std::unique_ptr<Banda>(new Banda(m_relatorio, Tipo::Filha, n)));
    return *m_filhas.back();
}

// --- Grupo --------------------------------------------------------------------------------------

Grupo::Grupo(Relatorio *relatorio, QString nome, Expressao expressao)
    : m_nome(std::move(nome)), m_expressao(std::move(expressao)),
      m_cabecalho(
          new Banda(relatorio, Banda::Tipo::CabecalhoGrupo, QStringLiteral("cabecalho_grupo_") + m_nome)),
      m_rodape(new Banda(relatorio, Banda::Tipo::RodapeGrupo, QStringLiteral("rodape_grupo_") + m_nome))
{
}

Grupo &Grupo::setRepeteCabecalho(bool repete)
{
    m_repete = repete;
    return *this;
}

// --- Relatorio ----------------------------------------------------------------------------------

Relatorio::Relatorio(QString tituloRelatorio)
    : m_titulo(std::move(tituloRelatorio)),
      m_cabecalhoPagina(new Banda(this, Banda::Tipo::CabecalhoPagina, QStringLiteral("cabecalho_pagina"))),
      m_tituloBanda(new Banda(this, Banda::Tipo::Titulo, QStringLiteral("titulo"))),
      m_cabecalhoColunas(new Banda(this, Banda::Tipo::CabecalhoColunas, QStringLiteral("cabecalho_colunas"))),
      m_detalhe(new Banda(this, Banda::Tipo::Detalhe, QStringLiteral("detalhe"))),
      m_sumario(new Banda(this, Banda::Tipo::Sumario, QStringLiteral("sumario")))
{
}

Relatorio::~Relatorio() = default;

void Relatorio::setTituloRelatorio(const QString &titulo)
{
    m_titulo = titulo;
}
void Relatorio::setOrientacao(Orientacao o)
{
    m_orientacao = o;
}
double Relatorio::larguraUtil() const
{
    return ((m_orientacao == Orientacao::Retrato ? LarguraA4 : AlturaA4) - 2 * Margem) / 10.0;
}
void Relatorio::setNumeraPaginas(bool numera)
{
    m_numeraPaginas = numera;
}

Banda &Relatorio::cabecalhoPagina()
{
    return *m_cabecalhoPagina;
}
Banda &Relatorio::titulo()
{
    return *m_tituloBanda;
}
Banda &Relatorio::cabecalhoColunas()
{
    return *m_cabecalhoColunas;
}
Banda &Relatorio::detalhe()
{
    return *m_detalhe;
}
Banda &Relatorio::sumario()
{
    return *m_sumario;
}

Grupo &Relatorio::adicionaGrupo(const QString &nome, Grupo::Expressao expressao)
{
    m_grupos.push_back(std::unique_ptr<Grupo>(new Grupo(this, nome, std::move(expressao))));
    return *m_grupos.back();
}

Grupo &Relatorio::adicionaGrupo(const QString &campo)
{
    return adicionaGrupo(campo, [campo](const LinhaRelatorio &l) { return l.valor(campo); });
}

Grupo &Relatorio::adicionaGrupo(const QStringList &campos)
{
    return adicionaGrupo(campos.join(u'+'), [campos](const LinhaRelatorio &l) {
        QVariantList v;
        for (const QString &c : campos)
            v << l.valor(c);
        return QVariant(v);
    });
}

void Relatorio::aoIniciar(std::function<void()> gancho)
{
    m_aoIniciar.push_back(std::move(gancho));
}

void Relatorio::setCursor(CursorRelatorio *cursor)
{
    m_cursor = cursor;
}

QVariant Relatorio::valor(const QString &campo) const
{
    return m_cursor ? m_cursor->valor(campo) : QVariant();
}

QString Relatorio::texto(const QString &campo) const
{
    return Formatacao::textoSimples(valor(campo));
}

void Relatorio::setDataHoraImpressao(const QDateTime &momento)
{
    m_momentoFixo = momento;
    m_momento = momento;
}

QDateTime Relatorio::dataHoraImpressao() const
{
    return m_momento.isValid() ? m_momento : QDateTime::currentDateTime();
}

void Relatorio::setProgresso(std::function<void(int)> progresso)
{
    m_progresso = std::move(progresso);
}

// --- laying out ---------------------------------------------------------------------------------

// The state of one pass: where the next band goes, the counts and sums so far.
struct Relatorio::Montagem {
    const MedidorTexto &medidor;
    PaginasRelatorio saida;
    QHash<const Banda *, quint16> indiceBanda;
    int x0 = Margem, y = Margem, yConteudo = Margem, limite = 0;
    bool paginaAberta = false, emCabecalhos = false;
    int contagemTotal = 0;
    std::vector<int> contagemGrupo{};
    std::vector<char> grupoAberto{};
    std::vector<QVariant> valorGrupo{};
    struct Soma {
        Elemento *elemento;
        int grupo; // -1: the whole report
        int campo = -1;
        double total = 0;
    };
    std::vector<Soma> somas{};
    QHash<const Elemento *, int> indiceSoma{};
};

int Relatorio::contagem(const Grupo *escopo) const
{
    if (!m_montagem)
        return 0;
    if (!escopo)
        return m_montagem->contagemTotal;
    for (size_t g = 0; g < m_grupos.size(); ++g)
        if (m_grupos[g].get() == escopo)
            return m_montagem->contagemGrupo[g];
    return 0;
}

namespace
{

quint8 indiceFonte(PaginasRelatorio &saida, const Fonte &f)
{
    for (int i = 0; i < saida.fontes.size(); ++i)
        if (saida.fontes[i] == f)
            return quint8(i);
    saida.fontes.append(f);
    return quint8(saida.fontes.size() - 1);
}

} // namespace

PaginasRelatorio Relatorio::monta()
{
    return monta(MedidorFonte());
}

PaginasRelatorio Relatorio::monta(const MedidorTexto &medidor)
{
    Montagem m{medidor, {}, {}};
    const bool paisagem = m_orientacao == Orientacao::Paisagem;
    m.saida.titulo = m_titulo;
    m.saida.paisagem = paisagem;
    m.saida.tamanho = paisagem ? QSize(AlturaA4, LarguraA4) : QSize(LarguraA4, AlturaA4);
    m.limite = m.saida.tamanho.height() - Margem - (m_numeraPaginas ? AlturaRodape : 0);
    const size_t nGrupos = m_grupos.size();
    m.contagemGrupo.assign(nGrupos, 0);
    m.grupoAberto.assign(nGrupos, 0);
    m.valorGrupo.assign(nGrupos, QVariant());

    // every sum field of every band, with the group it restarts with
    std::function<void(Banda &)> colhe = [&](Banda &b) {
        for (Elemento &e : b.m_elementos) {
            // this pass's cursor decides where each column is
            e.m_indiceCampo =
                m_cursor && e.m_tipo == Elemento::Tipo::Campo ? m_cursor->indice(e.m_campo) : -1;
            if (e.m_tipo == Elemento::Tipo::Soma) {
                int g = -1;
                for (size_t i = 0; i < nGrupos; ++i)
                    if (m_grupos[i].get() == e.m_escopo)
                        g = int(i);
                m.indiceSoma.insert(&e, int(m.somas.size()));
                m.somas.push_back({&e, g, m_cursor ? m_cursor->indice(e.m_campo) : -1});
            }
        }
        for (auto &f : b.m_filhas)
            colhe(*f);
    };
    for (Banda *b : {m_cabecalhoPagina.get(), m_tituloBanda.get(), m_cabecalhoColunas.get(), m_detalhe.get(),
                     m_sumario.get()})
        colhe(*b);
    for (auto &g : m_grupos) {
        colhe(g->cabecalho());
        colhe(g->rodape());
    }

    m_montagem = &m;
    struct Limpa {
        Montagem *&ref;
        ~Limpa() { ref = nullptr; }
    } limpa{m_montagem};

    m_momento = m_momentoFixo.isValid() ? m_momentoFixo : QDateTime::currentDateTime();
    for (auto &f : m_aoIniciar)
        f();

    // texts of the computed kinds, before the band's hooks (`soTotais`: counts and sums only)
    auto calculaTextos = [&](Banda &b, bool soTotais) {
        for (Elemento &e : b.m_elementos) {
            switch (e.m_tipo) {
            case Elemento::Tipo::Campo:
                if (soTotais)
                    break;
                e.m_texto = formata(e.m_indiceCampo >= 0 ? m_cursor->valor(e.m_indiceCampo) : QVariant(),
                                    e.m_mascara);
                break;
            case Elemento::Tipo::Texto:
                if (!soTotais)
                    e.m_texto = e.m_calcula ? e.m_calcula() : QString();
                break;
            case Elemento::Tipo::Contagem: {
                const int n = contagem(e.m_escopo);
                e.m_texto = e.m_mascara.isEmpty() ? QString::number(n) : Formatacao::mascara(n, e.m_mascara);
                break;
            }
            case Elemento::Tipo::Soma: {
                const double s = m.somas[size_t(m.indiceSoma.value(&e))].total;
                e.m_texto =
                    e.m_mascara.isEmpty() ? Formatacao::textoSimples(s) : Formatacao::mascara(s, e.m_mascara);
                break;
            }
            default:
                break;
            }
        }
    };

    std::function<void()> abrePagina;
    // Prints a band where the last one ended, on a new page when it does not fit.
    // `repeticao`: a group header printed again at the top of a page, whose after-print
    // hooks do not run (running totals must not restart in the middle of a group).
    std::function<bool(Banda &, bool)> imprime = [&](Banda &b, bool repeticao) -> bool {
        if (!b.m_ativa)
            return false;
        calculaTextos(b, false);
        for (auto &antes : b.m_antes)
            if (!antes())
                return false;
        if (b.m_tipo == Banda::Tipo::Detalhe) {
            ++m.contagemTotal;
            for (auto &c : m.contagemGrupo)
                ++c;
            for (auto &s : m.somas)
                if (s.campo >= 0)
                    s.total += m_cursor->valor(s.campo).toDouble();
            calculaTextos(b, true); // the detail's own counts and sums include its row
        }

        // the band grows to hold its multi-line texts
        const int alturaDeclarada = decimos(b.altura());
        int altura = alturaDeclarada;
        struct Linhas {
            const Elemento *e;
            QStringList linhas;
        };
        QVector<Linhas> quebradas;
        for (const Elemento &e : b.m_elementos) {
            if (!e.m_quebra || !e.m_visivel || e.m_tipo == Elemento::Tipo::Regua ||
                e.m_tipo == Elemento::Tipo::Retangulo)
                continue;
            const QRect r(decimos(e.m_caixa.x()), decimos(e.m_caixa.y()), decimos(e.m_caixa.width()),
                          decimos(e.m_caixa.height()));
            QStringList linhas = m.medidor.quebra(e.m_texto, e.m_fonte, r.width());
            const int precisa = r.y() + int(linhas.size()) * m.medidor.alturaLinha(e.m_fonte) +
                                std::max(0, alturaDeclarada - r.bottom() - 1);
            altura = std::max(altura, precisa);
            quebradas.append({&e, std::move(linhas)});
        }

        if (!m.paginaAberta)
            abrePagina();
        else if (!m.emCabecalhos && m.y + altura > m.limite && m.y > m.yConteudo)
            abrePagina();

        auto it = m.indiceBanda.constFind(&b);
        if (it == m.indiceBanda.constEnd()) {
            m.saida.bandas.append(b.m_nome);
            it = m.indiceBanda.insert(&b, quint16(m.saida.bandas.size() - 1));
        }
        const quint16 banda = *it;
        PaginaRelatorio &pagina = m.saida.paginas.last();
        for (const Elemento &e : b.m_elementos) {
            if (!e.m_visivel)
                continue;
            ItemPagina item;
            item.banda = banda;
            item.caixa = QRect(m.x0 + decimos(e.m_caixa.x()), m.y + decimos(e.m_caixa.y()),
                               decimos(e.m_caixa.width()), decimos(e.m_caixa.height()));
            if (e.m_tipo == Elemento::Tipo::Regua) {
                item.tipo = ItemPagina::Tipo::Regua;
            } else if (e.m_tipo == Elemento::Tipo::Retangulo) {
                item.tipo = ItemPagina::Tipo::Retangulo;
                item.texto = e.m_texto;
            } else {
                if (e.m_texto.isEmpty())
                    continue;
                item.fonte = indiceFonte(m.saida, e.m_fonte);
                item.alinhamento = quint16(e.m_alinhamento);
                item.texto = e.m_texto;
                if (e.m_quebra)
                    for (const Linhas &q : quebradas)
                        if (q.e == &e) {
                            item.texto = q.linhas.join(u'\n');
                            item.caixa.setHeight(
                                std::max(item.caixa.height(),
                                         int(q.linhas.size()) * m.medidor.alturaLinha(e.m_fonte)));
                        }
            }
            pagina.acrescenta(item);
        }
        m.y += altura;

        if (!repeticao)
            for (auto &depois : b.m_depois)
                depois();
        for (auto &f : b.m_filhas)
            imprime(*f, repeticao);
        return true;
    };

    abrePagina = [&] {
        if (!m.saida.paginas.isEmpty()) // a whole-state report keeps thousands of pages
            m.saida.paginas.last().compacta(1, 32);
        m.saida.paginas.append(PaginaRelatorio());
        const bool primeira = m.saida.paginas.size() == 1;
        m.paginaAberta = true;
        m.y = Margem;
        m.emCabecalhos = true;
        imprime(*m_cabecalhoPagina, false);
        if (primeira)
            imprime(*m_tituloBanda, false);
        imprime(*m_cabecalhoColunas, false);
        for (size_t g = 0; g < nGrupos; ++g)
            if (m.grupoAberto[g] && m_grupos[g]->m_repete)
                imprime(m_grupos[g]->cabecalho(), true);
        m.emCabecalhos = false;
        m.yConteudo = m.y;
    };

    int linhas = 0;
    bool temLinha = false;
    if (m_cursor) {
        m_cursor->reinicia();
        temLinha = m_cursor->proxima();
    }
    while (temLinha) {
        ++linhas;
        if (m_progresso && linhas % 256 == 0)
            m_progresso(linhas);
        // groups whose value changed start again, and so do all the groups inside them
        const LinhaRelatorio atual(*m_cursor, false);
        size_t muda = nGrupos;
        for (size_t g = 0; g < nGrupos; ++g) {
            const QVariant v = m_grupos[g]->m_expressao(atual);
            if (!m.grupoAberto[g] || v != m.valorGrupo[g]) {
                muda = g;
                break;
            }
        }
        for (size_t g = muda; g < nGrupos; ++g) {
            m.valorGrupo[g] = m_grupos[g]->m_expressao(atual);
            m.contagemGrupo[g] = 0;
            for (auto &s : m.somas)
                if (s.grupo == int(g))
                    s.total = 0;
            imprime(m_grupos[g]->cabecalho(), false);
            m.grupoAberto[g] = 1;
        }

        imprime(*m_detalhe, false);

        // a footer prints when the next row is of another group, or there is none
        size_t fecha = 0;
        if (m_cursor->temSeguinte()) {
            const LinhaRelatorio seguinte(*m_cursor, true);
            fecha = nGrupos;
            for (size_t g = 0; g < nGrupos; ++g)
                if (m_grupos[g]->m_expressao(seguinte) != m.valorGrupo[g]) {
                    fecha = g;
                    break;
                }
        }
        for (size_t g = nGrupos; g-- > fecha;) {
            imprime(m_grupos[g]->rodape(), false);
            m.grupoAberto[g] = 0;
        }
        // the last row stays current for the summary (and the page header of its page)
        temLinha = m_cursor->temSeguinte() && m_cursor->proxima();
    }
    if (m_progresso)
        m_progresso(linhas);

    imprime(*m_sumario, false);
    if (!m.paginaAberta)
        abrePagina(); // a report always has a page, with its headers

    if (m_numeraPaginas) {
        Fonte f;
        f.pontos = 7;
        const quint8 fonte = indiceFonte(m.saida, f);
        m.saida.bandas.append(QStringLiteral("rodape_pagina"));
        const quint16 banda = quint16(m.saida.bandas.size() - 1);
        const int total = m.saida.quantidade();
        const QSize t = m.saida.tamanho;
        for (int p = 0; p < total; ++p) {
            ItemPagina item;
            item.banda = banda;
            item.fonte = fonte;
            item.alinhamento = quint16(Qt::AlignRight);
            item.caixa = QRect(Margem, t.height() - Margem - 40, t.width() - 2 * Margem, 40);
            item.texto = QStringLiteral("Página %1 de %2").arg(p + 1).arg(total);
            m.saida.paginas[p].acrescenta(item);
        }
    }
    for (PaginaRelatorio &p : m.saida.paginas)
        p.compacta();
    return std::move(m.saida);
}
