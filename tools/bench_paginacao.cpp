// Lays a whole-state report out and writes it as PDF, with rows made on the fly, so the figures
// are the engine's own: seconds, pages, and memory held by the laid-out pages.
//   bench_paginacao [--linhas N] [--pdf ARQUIVO]

#include "reports/engine/pintarelatorio.h"
#include "reports/engine/relatorio.h"
#include "shell/formatacao.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace
{

// Rows of a declaration list made as they are read: nothing held but the current and next row.
class CursorGerado : public CursorRelatorio
{
  public:
    explicit CursorGerado(int linhas) : m_total(linhas) {}
    QStringList campos() const override
    {
        return {"CONTADOR", "IE", "NOME", "PRIMENTREGA", "ENTREGA", "VAF"};
    }
    void reinicia() override { m_atual = -1; }
    bool proxima() override
    {
        if (m_atual < m_total)
            ++m_atual;
        return m_atual < m_total;
    }
    QVariant valor(int campo) const override { return gera(m_atual, campo); }
    bool temSeguinte() const override { return m_atual + 1 < m_total; }
    QVariant valorSeguinte(int campo) const override { return gera(m_atual + 1, campo); }

  private:
    QVariant gera(int linha, int campo) const
    {
        if (linha < 0 || linha >= m_total)
            return {};
        switch (campo) {
        case 0:
            return QStringLiteral("CONTADOR RESPONSAVEL %1").arg(linha / 37, 5, 10, QChar(u'0'));
        case 1:
            return QStringLiteral("%1").arg(100000000 + linha, 13, 10, QChar(u'0'));
        case 2:
            return QStringLiteral("RAZAO SOCIAL DO CONTRIBUINTE NUMERO %1 LTDA").arg(linha);
        case 3:
            return QDate(2024, 1, 1).addDays(linha % 120);
        case 4:
            return QDate(2024, 2, 1).addDays(linha % 90);
        default:
            return double((linha * 7919) % 2000003) - 100000.0;
        }
    }
    int m_total;
    int m_atual = -1;
};

// A layout shaped like the accepted-declarations list: three header lines, a group per
// responsible with its count and totals, five columns, a summary.
class Lista : public Relatorio
{
  public:
    Lista() : Relatorio(QStringLiteral("Lista de medição"))
    {
        const QString inteiro = QStringLiteral("###,###,###,##0");
        Banda &cab = cabecalhoPagina();
        cab.rotulo({0, 0, 120, 4}, QStringLiteral("Secretaria de Estado de Fazenda de Vesperia"))
            .setNegrito();
        cab.rotulo({0, 5, 120, 4},
                   QStringLiteral("Declaração Anual do Movimento Econômico Fiscal - Ano Base 2023"));
        cab.texto({130, 0, 60, 4},
                  [this] { return QStringLiteral("Impresso: ") + Formatacao::dataHora(dataHoraImpressao()); })
            .setAlinhamento(Qt::AlignRight);
        cab.rotulo({0, 10, 190, 4}, QStringLiteral("Relação de Declarações Aceitas por Responsável"));
        cab.regua(0, 15, 190);
        cab.setAltura(17);
        Grupo &g = adicionaGrupo(QStringLiteral("CONTADOR"));
        g.cabecalho().texto({0, 1, 190, 4},
                            [this] { return QStringLiteral("Responsável: ") + texto("CONTADOR"); });
        for (auto [x, t] : {std::pair{0.0, "IE"},
                            {30.0, "Razão social"},
                            {110.0, "Primeira entrega"},
                            {135.0, "Entrega"},
                            {160.0, "VAF"}})
            g.cabecalho().rotulo({x, 6, 30, 4}, QString::fromUtf8(t));
        g.cabecalho().regua(0, 10.5, 190);
        g.cabecalho().depoisDeImprimir([this] { m_positivos = m_negativos = 0; });
        Banda &d = detalhe();
        d.campo({0, 0, 28, 3.5}, QStringLiteral("IE"));
        d.campo({30, 0, 78, 3.5}, QStringLiteral("NOME"));
        d.campo({110, 0, 22, 3.5}, QStringLiteral("PRIMENTREGA"));
        d.campo({135, 0, 22, 3.5}, QStringLiteral("ENTREGA"));
        d.campo({160, 0, 30, 3.5}, QStringLiteral("VAF"), inteiro).setAlinhamento(Qt::AlignRight);
        d.depoisDeImprimir([this] {
            const double v = valor(QStringLiteral("VAF")).toDouble();
            (v > 0 ? m_positivos : m_negativos) += v;
        });
        Banda &r = g.rodape();
        r.rotulo({0, 0, 40, 4}, QStringLiteral("Aceitas / Responsável:"));
        r.contagem({40, 0, 20, 4}, &g);
        Elemento &pos = r.rotulo({130, 0, 60, 4}, {}).setAlinhamento(Qt::AlignRight);
        Elemento &neg = r.rotulo({130, 4, 60, 4}, {}).setAlinhamento(Qt::AlignRight);
        r.antesDeImprimir([this, &pos, &neg, inteiro] {
            pos.setValor(m_positivos, inteiro);
            neg.setValor(m_negativos, inteiro);
            return true;
        });
        sumario().rotulo({0, 2, 40, 4}, QStringLiteral("Total de declarações:"));
        sumario().contagem({40, 2, 20, 4});
    }

  private:
    double m_positivos = 0, m_negativos = 0;
};

long memoriaKb(const char *chave)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith(chave))
            return l.mid(qstrlen(chave)).trimmed().split(' ').value(0).toLong();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Formatacao::aplicaLocalidade();
    int linhas = 200000;
    QString pdf;
    const QStringList a = app.arguments();
    for (int i = 1; i < a.size(); ++i) {
        if (a[i] == QLatin1String("--linhas") && i + 1 < a.size())
            linhas = a[++i].toInt();
        else if (a[i] == QLatin1String("--pdf") && i + 1 < a.size())
            pdf = a[++i];
        else {
            std::fprintf(stderr, "uso: bench_paginacao [--linhas N] [--pdf ARQUIVO]\n");
            return 2;
        }
    }

    CursorGerado cursor(linhas);
    Lista lista;
    lista.setCursor(&cursor);
    lista.monta(); // warms the font cache, then is dropped
    const long antes = memoriaKb("VmRSS:");
    QElapsedTimer t;
    t.start();
    const PaginasRelatorio paginas = lista.monta();
    const double segundos = t.elapsed() / 1000.0;
    const long depois = memoriaKb("VmRSS:");
    long itens = 0;
    for (const PaginaRelatorio &p : paginas.paginas)
        itens += p.quantidade();
    std::printf("linhas %d  páginas %d  itens %ld\n", linhas, paginas.quantidade(), itens);
    std::printf("montagem: %.2f s (%.0f linhas/s)\n", segundos, linhas / std::max(segundos, 1e-9));
    std::printf("memória das páginas: %.1f MB (%.1f KB por página, %.0f bytes por linha)\n",
                (depois - antes) / 1024.0, double(depois - antes) / std::max(1, paginas.quantidade()),
                1024.0 * (depois - antes) / linhas);
    if (!pdf.isEmpty()) {
        t.restart();
        GravaPdf(paginas, pdf);
        std::printf("PDF: %.2f s, %.1f MB\n", t.elapsed() / 1000.0, QFile(pdf).size() / 1048576.0);
    }
    std::printf("pico de memória do processo: %.1f MB\n", memoriaKb("VmHWM:") / 1024.0);
    return 0;
}
