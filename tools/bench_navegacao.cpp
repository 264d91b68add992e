// Browsing benchmark on a home holding a state-size capture: for each browser, the time to the first
// rows shown, a row change with every detail set and calculated field the window shows refreshed, a
// prefix search on each field, fetching to the last row, and the memory at each step.
//   bench_navegacao --home PASTA [--passos N]

#include "browse/navegaativos.h"
#include "browse/navegadeclaracoes.h"
#include "data/tdmprincipal.h"
#include "shell/diretorios.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <malloc.h>

namespace
{
// Resident and peak resident memory of the process, in MB.
double memoria(const char *chave)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith(chave))
            return l.mid(int(qstrlen(chave))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Reads what the window shows of the current row: every field, calculated ones included.
void le(const ClientDataSet &ds)
{
    if (!ds.active() || ds.isEmpty())
        return;
    for (int c = 0; c < ds.campos().size(); ++c)
        ds.exibicao(ds.recNo(), c);
}

// Reads a screenful of rows the way a grid paints them.
void tela(const ClientDataSet &ds, int linhas = 30)
{
    for (int r = 0; r < std::min(linhas, ds.recordCount()); ++r)
        for (int c = 0; c < ds.campos().size(); ++c)
            ds.exibicao(r, c);
}

struct Medida {
    const char *nome;
    double ms;
    double alvo;
};
QList<Medida> medidas;

void mostra(const char *nome, double ms, double alvo, const QString &extra = {})
{
    // alvo 0: measured, no target
    if (alvo > 0)
        medidas.append({nome, ms, alvo});
    const QString meta =
        alvo > 0 ? QStringLiteral("(alvo < %1 ms)%2").arg(alvo).arg(ms < alvo ? "" : " ** ACIMA **")
                 : QString();
    std::printf("  %-44s %9.1f ms  %-22s RSS %4.0f MB  pico %4.0f MB  %s\n", nome, ms,
                meta.toUtf8().constData(), memoria("VmRSS:"), memoria("VmHWM:"), extra.toUtf8().constData());
}

template <typename F> double cronometra(F &&f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

// A search, timed, with the rows it read (counted after it ran).
template <typename F> void busca(const char *nome, const ClientDataSet &ds, const QString &texto, F &&f)
{
    const double ms = cronometra(f);
    mostra(nome, ms, 500, QStringLiteral("'%1' %2 linhas lidas").arg(texto).arg(ds.recordCount()));
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString home;
    int passos = 200;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--home" && i + 1 < args.size())
            home = args[++i];
        else if (args[i] == u"--passos" && i + 1 < args.size())
            passos = args[++i].toInt();
    }
    if (home.isEmpty()) {
        std::fprintf(stderr, "uso: bench_navegacao --home PASTA [--passos N]\n");
        return 2;
    }
    DefineDiretorioSistema(home);
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
    } catch (const ProgramaEncerrado &) {
        std::fprintf(stderr, "não foi possível abrir o banco de %s\n", home.toUtf8().constData());
        return 1;
    }
    std::printf("home %s; memória depois de abrir o módulo de dados: %.0f MB\n", home.toUtf8().constData(),
                memoria("VmRSS:"));

    // --- active taxpayers ---
    std::printf("Contribuintes ativos\n");
    NavegaAtivos ativos(dm, ui);
    ClientDataSet &a = dm.cdsAtivos;
    mostra("abrir até as primeiras linhas", cronometra([&] {
               ativos.abre();
               tela(a);
               le(a);
           }),
           300);
    // the window counts for its caption once the first rows are painted
    mostra("legenda (contagem, depois das linhas)", cronometra([&] { ativos.titulo(); }), 0);
    double total = 0;
    for (int i = 0; i < passos; ++i)
        total += cronometra([&] {
            a.next();
            le(a);
        });
    mostra("mudar de linha (média)", total / passos, 50);
    a.first();
    const QString nome = a.texto(QStringLiteral("NOMECOMER")).left(4);
    const QString ie = a.texto(QStringLiteral("IE")).left(4);
    const QString cnpj = a.texto(QStringLiteral("CNPJ")).left(4);
    const QString munic = a.texto(QStringLiteral("MUNIC_NOME")).left(4);
    const struct {
        const char *nome;
        NavegaAtivos::Campo campo;
        QString texto;
    } buscas[] = {{"pesquisa CNPJ", NavegaAtivos::Cnpj, cnpj},
                  {"pesquisa Inscrição Estadual", NavegaAtivos::InscricaoEstadual, ie},
                  {"pesquisa Nome Comercial", NavegaAtivos::NomeComercial, nome},
                  {"pesquisa Nome Município", NavegaAtivos::NomeMunicipio, munic}};
    for (const auto &b : buscas)
        busca(b.nome, a, b.texto, [&] {
            ativos.pesquisa(b.campo, b.texto, false);
            tela(a);
        });
    // nothing found: the server reads the whole list's index to say so
    busca("pesquisa Nome Comercial, nenhum", a, QStringLiteral("ZZZZ"), [&] {
        ativos.pesquisa(NavegaAtivos::NomeComercial, QStringLiteral("ZZZZ"), false);
        tela(a);
    });
    ativos.pesquisa(NavegaAtivos::Cnpj, QString(), false);
    const double antes = memoria("VmRSS:");
    const double ultimo = cronometra([&] {
        a.last();
        le(a);
    });
    mostra(
        "buscar até a última linha", ultimo, 0,
        QStringLiteral("%1 linhas, +%2 MB").arg(a.recordCount()).arg(memoria("VmRSS:") - antes, 0, 'f', 0));
    // the rows freed are handed back to the allocator here, not by the next set's first allocation
    mostra("fechar, memória devolvida", cronometra([&] {
               ativos.fecha();
               malloc_trim(0);
           }),
           0);

    // --- declarations ---
    std::printf("Declarações\n");
    NavegaDeclaracoes decl(dm, ui);
    ClientDataSet &d = dm.cdsDeclaracoes;
    auto detalhes = [&] {
        le(d);
        for (ClientDataSet *cds : dm.detalhesDoGrupo() + dm.detalhesSempreLigados())
            le(*cds);
    };
    mostra("abrir até as primeiras linhas", cronometra([&] {
               decl.abre();
               tela(d);
               detalhes();
           }),
           300);
    mostra("legenda (contagem, depois das linhas)", cronometra([&] { decl.titulo(); }), 0);
    total = 0;
    for (int i = 0; i < passos; ++i)
        total += cronometra([&] {
            d.next();
            detalhes();
        });
    mostra("mudar de linha, 4 detalhes + 9 (média)", total / passos, 50);
    d.first();
    const QString dnome = d.texto(QStringLiteral("DEC_NOME")).left(4);
    const QString die = d.texto(QStringLiteral("DEC_IE")).left(4);
    busca("pesquisa Inscrição Estadual", d, die, [&] {
        decl.pesquisa(NavegaDeclaracoes::InscricaoEstadual, die, false);
        tela(d);
        detalhes();
    });
    busca("pesquisa Nome Comercial", d, dnome, [&] {
        decl.pesquisa(NavegaDeclaracoes::NomeComercial, dnome, false);
        tela(d);
        detalhes();
    });
    mostra("status Aceitas", cronometra([&] {
               decl.status(NavegaDeclaracoes::Aceitas);
               tela(d);
               detalhes();
           }),
           500);
    decl.pesquisa(NavegaDeclaracoes::InscricaoEstadual, QString(), false);
    // every detail attached, as for one declaration being printed
    dm.LigaDetalhesDeclaracao();
    total = 0;
    for (int i = 0; i < passos; ++i)
        total += cronometra([&] {
            d.next();
            detalhes();
        });
    mostra("mudar de linha, os 26 detalhes (média)", total / passos, 50);
    const double antesD = memoria("VmRSS:");
    busca("pesquisa Nome Comercial, nenhum", d, QStringLiteral("ZZZZ"), [&] {
        decl.pesquisa(NavegaDeclaracoes::NomeComercial, QStringLiteral("ZZZZ"), false);
        tela(d);
        detalhes();
    });
    decl.pesquisa(NavegaDeclaracoes::InscricaoEstadual, QString(), false);
    const double ultimoD = cronometra([&] {
        d.last();
        detalhes();
    });
    mostra(
        "buscar até a última linha", ultimoD, 0,
        QStringLiteral("%1 linhas, +%2 MB").arg(d.recordCount()).arg(memoria("VmRSS:") - antesD, 0, 'f', 0));
    decl.fecha();
    dm.DesligaDetalhesDeclaracao();

    int acima = 0;
    for (const Medida &m : std::as_const(medidas))
        acima += m.ms >= m.alvo;
    std::printf("%d de %d medidas acima do alvo\n", acima, int(medidas.size()));
    return 0;
}
