#include "reports/configuracaorelatorios.h"
#include "reports/exportacsv.h"
#include "reports/saidapdf.h"
#include "reports/tabelarelatorios.h"
#include "support/capturateste.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every report built here, from a capture of the generator's state with a fixed seed: the CSV file
// and the laid-out pages are compared with the checked-in files of tests/reports/golden.
// ORBEL_GOLDEN_UPDATE=1 rewrites those files instead, for a change meant to alter them (review the diff).
namespace
{

const QString kPasta = QStringLiteral(ORBEL_SOURCE_DIR "/tests/reports/golden/");

bool atualiza()
{
    return qEnvironmentVariable("ORBEL_GOLDEN_UPDATE") == QLatin1String("1");
}

void compara(const QString &nome, const QByteArray &atual)
{
    QFile f(kPasta + nome);
    if (atualiza()) {
        QDir().mkpath(kPasta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << nome.toStdString();
        f.write(atual);
        return;
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly))
        << "missing golden file " << nome.toStdString() << " (ORBEL_GOLDEN_UPDATE=1 writes it)";
    const QByteArray esperado = f.readAll();
    if (esperado == atual)
        return;
    // the first line that differs says more than two walls of bytes
    const QList<QByteArray> a = atual.split('\n'), e = esperado.split('\n');
    int i = 0;
    while (i < a.size() && i < e.size() && a[i] == e[i])
        ++i;
    ADD_FAILURE() << nome.toStdString() << " differs at line " << i + 1
                  << "\n  expected: " << e.value(i).toStdString()
                  << "\n  actual:   " << a.value(i).toStdString();
}

} // namespace

TEST(GoldenReports, CsvAndPagesOfEveryItemForTwoMunicipalities)
{
    QTemporaryDir arquivos;
    QProcess g;
    g.start(ORBEL_GERADOR, {"--out", arquivos.path(), "--municipios", "2", "--contribuintes", "80", "--seed",
                            "5", "--ano", "2023"});
    ASSERT_TRUE(g.waitForFinished(120000));
    ASSERT_EQ(g.exitCode(), 0);

    CapturaTeste t;
    ASSERT_TRUE(t.captura(CapturaArquivos::Ativos, arquivos.filePath("AT0024.zip")));
    ASSERT_TRUE(t.captura(CapturaArquivos::Retorno, arquivos.filePath("RT0024.zip")));
    t.dm->GravaParametro("DATALIMITE_PROVISORIO", "31/03/2024");
    t.dm->GravaParametro("DATALIMITE_DEFINITIVO", "15/04/2024");

    TContextoRelatorio contexto;
    SaidaPdf saida;
    ConfiguracaoRelatorios config(*t.dm, t.ui, &saida, contexto);
    config.cria();
    config.mostra();
    config.setMomentoImpressao(QDateTime(QDate(2024, 9, 2), QTime(8, 30)));
    const QDate dia(2024, 9, 2);
    for (const QString municipio : {"001", "002"}) {
        for (int item = 0; item <= 7; ++item) {
            // the file the "Separados" walk writes for this municipality: with no row, the header alone
            ExecucaoRelatorio exec{*t.dm, t.ui, contexto};
            contexto.CodigoMunicipio = municipio;
            contexto.NomeMunicipio = config.nomesMunicipios()[config.ListaCodigos().indexOf(municipio)];
            contexto.AvisaUsuario = false;
            contexto.DataLimite = QStringLiteral("31.03.2024");
            exec.geraArquivoExcel = true;
            exec.dia = dia;
            const QStringList antes = QDir(PastaRelatoriosDoDia(dia)).entryList(QDir::Files);
            TabelaRelatorios::Operacao(item, true)(exec);
            QStringList novos = QDir(PastaRelatoriosDoDia(dia)).entryList(QDir::Files);
            for (const QString &a : antes)
                novos.removeAll(a);
            ASSERT_EQ(novos.size(), 1)
                << "item " << item << " of " << municipio.toStdString() << " wrote no file";
            QFile csv(PastaRelatoriosDoDia(dia) + novos[0]);
            ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
            compara(novos[0], csv.readAll());

            // the pages of the preview
            config.escolheRelatorio(item);
            config.escolheModo(ConfiguracaoRelatorios::ApenasMunicipio);
            config.marcaGeraArquivoExcel(false);
            config.gera(dia);
            compara(QString(novos[0]).replace(".csv", ".paginas.txt"),
                    Despejo(saida.relatorios().last()).toUtf8());
        }
    }
}
