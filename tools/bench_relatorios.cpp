// Report benchmark on a state-size home. For items 0 to 7 it times one municipality's report as a
// CSV file and as a PDF (the pages the preview would show), then the "Separados" walk of each item
// over every municipality, and prints the peak memory after each phase. It also checks that the
// eight named indexes are active and shows which of them the statements' plans use.
//   bench_relatorios [--origem HOME] [--pasta DIR] [--municipio CODIGO]
// --origem names a home that holds a captured state (its database is copied, never touched);
// without it a state of 50 municipalities of 4,000 taxpayers (half deliver) is generated and
// captured first. Targets: a single-municipality report under 2 s, a walk under 30 s.

#include "capture/capturaarquivos.h"
#include "data/fbconexao.h"
#include "data/tdmprincipal.h"
#include "homebenchmark.h"
#include "reports/configuracaorelatorios.h"
#include "reports/exportacsv.h"
#include "reports/listascontribuintes.h"
#include "reports/listasdeclaracoes.h"
#include "reports/saidapdf.h"
#include "reports/tabelarelatorios.h"
#include "shell/inifile.h"
#include "shell/scriptedui.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace
{

double picoMemoriaMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

// Processor seconds of this process so far (the server runs inside it).
double processador()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void falha(const QString &texto)
{
    std::fprintf(stderr, "%s\n", texto.toUtf8().constData());
    std::exit(1);
}

// A state of the generator, captured headless through the capture flow.
void preparaEstado(const QString &pasta, TdmPrincipal &dm, ScriptedUi &ui)
{
    const QString arquivos = pasta + QStringLiteral("/arquivos");
    QProcess g;
    g.start(QCoreApplication::applicationDirPath() + QStringLiteral("/gerador"),
            {"--out", arquivos, "--municipios", "50", "--contribuintes", "4000", "--entrega", "50", "--ano",
             "2023"});
    if (!g.waitForFinished(-1) || g.exitCode() != 0)
        falha(QStringLiteral("o gerador falhou: ") + QString::fromLocal8Bit(g.readAllStandardError()));
    CapturaArquivos c(dm, ui);
    c.abre();
    if (!c.Captura(CapturaArquivos::Ativos, arquivos + QStringLiteral("/AT0024.zip")) ||
        !c.Captura(CapturaArquivos::Retorno, arquivos + QStringLiteral("/RT0024.zip")))
        falha(QStringLiteral("a captura falhou: ") + ui.textos().join(QStringLiteral(" | ")));
    c.fecha();
}

// Each layout's statement with its parameters marked "?", for the server to plan.
QList<std::pair<int, QString>> comandos()
{
    auto posicional = [](QString sql) {
        return sql.replace(QRegularExpression(QStringLiteral(":[A-Z]+")), "?");
    };
    return {{0, posicional(TForm_rel_aceitas().cdsRel.commandText())},
            {1, TForm_rel_ativos::SQL},
            {2, TForm_rel_entregue_fora_prazo::SQL},
            {3, posicional(TForm_rel_omissos().cdsRel.commandText())},
            {4, TForm_rel_omissos_nome::SQL},
            {5, posicional(TForm_rel_recusadas().cdsRel.commandText())},
            {6, posicional(TForm_rel_recusadas_nome().cdsRel.commandText())},
            {7, TForm_rel_subst_recusadas::SQL}};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString origem, pasta, municipio;
    const QStringList a = app.arguments();
    for (int i = 1; i + 1 < a.size(); i += 2) {
        if (a[i] == QLatin1String("--origem"))
            origem = a[i + 1];
        else if (a[i] == QLatin1String("--pasta"))
            pasta = a[i + 1];
        else if (a[i] == QLatin1String("--municipio"))
            municipio = a[i + 1];
        else
            falha(QStringLiteral("opção desconhecida: ") + a[i]);
    }
    QTemporaryDir temporario;
    if (pasta.isEmpty())
        pasta = temporario.path();
    const QString home = pasta + QStringLiteral("/home");
    preparaHomeDeBenchmark(home);
    if (!origem.isEmpty()) {
        const QString banco = home + QStringLiteral("/bd/ORBEL.GDB");
        QFile::remove(banco);
        if (!QFile::copy(origem + QStringLiteral("/bd/ORBEL.GDB"), banco))
            falha(QStringLiteral("não foi possível copiar o banco de ") + origem);
    }

    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    if (origem.isEmpty())
        preparaEstado(pasta, dm, ui);
    // the generator's deliveries run from March to June of the year after the base year
    if (dm.LeParametro(QStringLiteral("DATALIMITE_PROVISORIO")).isEmpty())
        dm.GravaParametro(QStringLiteral("DATALIMITE_PROVISORIO"), QStringLiteral("31/03/2024"));
    if (dm.LeParametro(QStringLiteral("DATALIMITE_DEFINITIVO")).isEmpty())
        dm.GravaParametro(QStringLiteral("DATALIMITE_DEFINITIVO"), QStringLiteral("15/04/2024"));

    QSqlQuery q(dm.MainConnection());
    q.exec(QStringLiteral("SELECT COUNT(*) FROM DECLARACOES"));
    q.next();
    const qint64 declaracoes = q.value(0).toLongLong();
    q.exec(QStringLiteral("SELECT COUNT(*) FROM ATIVOS"));
    q.next();
    const qint64 ativos = q.value(0).toLongLong();
    if (municipio.isEmpty()) {
        // the municipality with the most declarations: the largest single report
        q.exec(QStringLiteral(
            "SELECT FIRST 1 MUNIC_CODIGO FROM DECLARACOES GROUP BY MUNIC_CODIGO ORDER BY COUNT(*) DESC"));
        q.next();
        municipio = q.value(0).toString();
    }
    q.finish();
    std::printf("Estado: %lld contribuintes ativos, %lld declarações, %d municípios; município %s\n\n",
                ativos, declaracoes, int(dm.cdsMunicipios.recordCount()), municipio.toUtf8().constData());

    TContextoRelatorio contexto;
    SaidaPdf saida;
    ConfiguracaoRelatorios config(dm, ui, &saida, contexto);
    config.cria();
    config.mostra();
    const QString pdf = pasta + QStringLiteral("/relatorio.pdf");
    bool dentro = true;

    std::printf("%-4s %-40s %7s %7s %7s %7s %7s %5s\n", "Item", "Relatório (um município)", "CSV s", "proc s",
                "PDF s", "proc s", "linhas", "págs");
    for (int item = 0; item <= 7; ++item) {
        config.escolheRelatorio(item);
        config.escolheModo(ConfiguracaoRelatorios::ApenasMunicipio);
        config.escolheMunicipio(int(config.ListaCodigos().indexOf(municipio)));
        config.marcaGeraArquivoExcel(true);
        ui.limpa();
        QElapsedTimer t;
        t.start();
        double p0 = processador();
        config.gera();
        const double csv = t.nsecsElapsed() / 1e9, csvProc = processador() - p0;
        const QString caminho = ui.mensagens().isEmpty() ? QString() : ui.mensagens().last().texto;
        QDir dia(PastaRelatoriosDoDia());
        const QStringList arquivos =
            dia.entryList({contexto.CodigoMunicipio + QStringLiteral("_*")}, QDir::Files, QDir::Time);
        int linhas = 0;
        if (!arquivos.isEmpty()) {
            QFile f(dia.filePath(arquivos.first()));
            if (f.open(QIODevice::ReadOnly))
                linhas = int(f.readAll().count('\n')) - 1;
        }
        (void)caminho;

        config.escolheModo(ConfiguracaoRelatorios::ApenasMunicipio);
        config.marcaGeraArquivoExcel(false);
        t.restart();
        p0 = processador();
        config.gera();
        saida.grava(pdf);
        const double tempoPdf = t.nsecsElapsed() / 1e9, pdfProc = processador() - p0;
        const int paginas = saida.relatorios().last().quantidade();
        std::printf("%-4d %-40s %7.2f %7.2f %7.2f %7.2f %7d %5d%s\n", item,
                    TabelaRelatorios::Textos()[item].left(40).toUtf8().constData(), csv, csvProc, tempoPdf,
                    pdfProc, linhas, paginas, csv < 2 && tempoPdf < 2 ? "" : "  ACIMA DA META");
        dentro = dentro && csv < 2 && tempoPdf < 2;
        QFile::remove(pdf);
    }
    const double memoriaUm = picoMemoriaMb();
    std::printf("Pico de memória após os relatórios de um município: %.0f MB\n\n", memoriaUm);

    std::printf("%-4s %-40s %7s %7s %8s\n", "Item", "Separados (todos os municípios)", "s", "proc s",
                "arquivos");
    for (int item = 0; item <= 7; ++item) {
        config.escolheRelatorio(item);
        config.escolheModo(ConfiguracaoRelatorios::Separados);
        QDir(PastaRelatoriosDoDia()).removeRecursively();
        QElapsedTimer t;
        t.start();
        const double p0 = processador();
        config.gera();
        const double s = t.nsecsElapsed() / 1e9, proc = processador() - p0;
        const int n = int(QDir(PastaRelatoriosDoDia()).entryList(QDir::Files).size());
        std::printf("%-4d %-40s %7.2f %7.2f %8d%s\n", item,
                    TabelaRelatorios::Textos()[item].left(40).toUtf8().constData(), s, proc, n,
                    s < 30 ? "" : "  ACIMA DA META");
        dentro = dentro && s < 30;
    }
    std::printf("Pico de memória após as listas de todos os municípios: %.0f MB\n\n", picoMemoriaMb());

    // plans: the statements of the lists and the state of the eight named indexes
    FbConexao fb;
    fb.conecta(LeIni(ArquivoIni(), QStringLiteral("ORBEL"), QStringLiteral("Database")),
               QString::fromLatin1(TdmPrincipal::Usuario), QString::fromLatin1(TdmPrincipal::Senha));
    const QStringList nomeados{"IDX_ATIVOS_MUNIC_CODIGO",  "IDX_CNAEF",
                               "IDX_MUNIC_IE_NOME",        "DECLARACOES_IE",
                               "DECLARACOES_MUNIC_CODIGO", "DECLARACOES_EXERCICIO",
                               "IDX_VAF_MUDANCA_MUNIC_1",  "IDX_DEC_SIMEI_1"};
    QSet<QString> usados;
    for (const auto &[item, sql] : comandos()) {
        const QString plano = fb.plano(sql);
        std::printf("Item %d: %s\n", item, plano.simplified().toUtf8().constData());
        for (const QString &n : nomeados)
            if (plano.contains(QRegularExpression(QStringLiteral("\\b") + n + QStringLiteral("\\b"))))
                usados.insert(n);
    }
    fb.desconecta();
    q = QSqlQuery(dm.MainConnection());
    std::printf("\nÍndices nomeados:\n");
    for (const QString &n : nomeados) {
        q.prepare(QStringLiteral(
            "SELECT COALESCE(RDB$INDEX_INACTIVE, 0) FROM RDB$INDICES WHERE RDB$INDEX_NAME = ?"));
        q.addBindValue(n);
        q.exec();
        const bool existe = q.next();
        const bool ativo = existe && q.value(0).toInt() == 0;
        std::printf("  %-26s %-8s %s\n", n.toUtf8().constData(), ativo ? "ativo" : "INATIVO",
                    usados.contains(n) ? "usado pelas listas 0 a 7" : "(não usado por estas listas)");
        dentro = dentro && ativo;
    }
    q.finish();
    std::printf("\n%s\n", dentro ? "Todas as metas atingidas." : "Há medidas acima da meta.");
    return dentro ? 0 : 1;
}
