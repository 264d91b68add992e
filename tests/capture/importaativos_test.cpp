#include "capture/capturaarquivos.h"
#include "capture/importaativos.h"
#include "data/tdmprincipal.h"
#include "shell/diretorios.h"
#include "shell/inifile.h"
#include "shell/scriptedui.h"
#include "support/arquivosteste.h"
#include "support/banco.h"
#include "support/capturateste.h"
#include "support/temphome.h"

#include "support/executaorbel.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{
struct Captura : CapturaTeste {
    QString zip(const QString &nome, const QStringList &linhas)
    {
        const QString z = home.arquivo(nome);
        GravaZipCaptura(z, linhas);
        return z;
    }
    bool captura(const QString &zipPath) { return CapturaTeste::captura(CapturaArquivos::Ativos, zipPath); }
};
QStringList linhas(int n, const QString &munic, int inicio = 0)
{
    QStringList r;
    for (int i = 0; i < n; ++i)
        r << LinhaAtivoTeste(QString::number(inicio + i), munic, QString("CNPJ%1").arg(inicio + i)).texto();
    return r;
}
} // namespace

TEST(ActiveCapture, OneMunicipalityImportsAndIsReplacedOnlyWhenTheClerkAgrees)
{
    Captura c;
    BancoDeTeste b(c.home.banco());
    b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO, CNPJ) VALUES ('OUTRO', '009', 'X9')");
    const QString z = c.zip("AT001_24.zip", linhas(3, "001"));
    EXPECT_TRUE(c.captura(z));
    EXPECT_EQ(c.ui.mensagens().last().texto, QString("Captura de arquivo finalizada com sucesso"));
    EXPECT_EQ(b.conta("ATIVOS", "MUNIC_CODIGO = '001'"), 3);
    EXPECT_EQ(b.conta("MUNIC_TOTAIS", "MUNIC_CODIGO = '001'"), 1);
    EXPECT_EQ(LeIni(c.home.ini(), "Ativos", "Ultimo"), QString("AT001_24.zip"));
    EXPECT_EQ(b.valor("SELECT ATIVOS FROM MUNIC_RESUMO WHERE MUNIC_CODIGO = '001'").toInt(), 3);
    EXPECT_EQ(b.valor("SELECT ENDERECO FROM ATIVOS WHERE IE = '1'").toString(),
              QString("RUA  CENTRO 00123 RU DAS FLORES"));
    EXPECT_DOUBLE_EQ(b.valor("SELECT VLADICANT FROM ATIVOS WHERE IE = '1'").toDouble(), 123.45);

    // again, answered No: nothing changes and no success message
    c.ui.limpa();
    c.ui.enfileira(UserInterface::Nao);
    const QString z2 = c.zip("AT001b24.zip", linhas(2, "001", 100));
    EXPECT_FALSE(c.captura(z2));
    EXPECT_TRUE(c.ui.textos().first().startsWith("Já existem dados deste município na base de dados.\r"));
    EXPECT_EQ(b.conta("ATIVOS", "MUNIC_CODIGO = '001'"), 3);

    // answered Yes: only that municipality is replaced
    c.ui.limpa();
    c.ui.enfileira(UserInterface::Sim);
    EXPECT_TRUE(c.captura(z2));
    EXPECT_EQ(b.conta("ATIVOS", "MUNIC_CODIGO = '001'"), 2);
    EXPECT_EQ(b.conta("ATIVOS", "MUNIC_CODIGO = '009'"), 1);
    EXPECT_EQ(b.conta("MUNIC_TOTAIS", "MUNIC_CODIGO = '001'"), 1);
}

TEST(ActiveCapture, TwoMunicipalitiesEmptyEverythingAndTheFirstCnpjWins)
{
    Captura c;
    BancoDeTeste b(c.home.banco());
    b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO, CNPJ) VALUES ('OUTRO', '009', 'X9')");
    QStringList l = linhas(2, "001") + linhas(2, "002", 10);
    l << LinhaAtivoTeste("DUP", "002", "CNPJ0").texto(); // same CNPJ as the first line
    c.ui.enfileira(UserInterface::Sim);
    EXPECT_TRUE(c.captura(c.zip("AT-dois24.zip", l)));
    EXPECT_TRUE(c.ui.textos().first().startsWith("Já existem dados de municípios na base de dados.\r"));
    EXPECT_EQ(b.conta("ATIVOS"), 4);
    EXPECT_EQ(b.conta("ATIVOS", "IE = 'DUP' OR MUNIC_CODIGO = '009'"), 0);
    EXPECT_EQ(b.conta("MUNIC_TOTAIS"), 2);
}

TEST(ActiveCapture, AFailingLineIsReportedWithItsNumberAndTheReplacementIsUndone)
{
    Captura c;
    BancoDeTeste b(c.home.banco());
    b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO, CNPJ) VALUES ('ANTIGO', '001', 'X1')");
    QStringList l = linhas(3, "001");
    l.insert(2, LinhaAtivoTeste("RUIM", "001", "CNPJR").poe(461, "ABC").texto());
    c.ui.enfileira(UserInterface::Sim); // replace the municipality's taxpayers
    EXPECT_FALSE(c.captura(c.zip("AT00124.zip", l)));
    // neither the deletion nor the two lines before the bad one stay
    EXPECT_EQ(b.conta("ATIVOS"), 1);
    EXPECT_EQ(b.conta("ATIVOS", "IE = 'ANTIGO'"), 1);
    EXPECT_EQ(b.conta("MUNIC_TOTAIS"), 0);
    QStringList t = c.ui.textos();
    ASSERT_GE(t.size(), 4);
    t.removeFirst(); // the replacement question
    EXPECT_TRUE(t[0].startsWith("GENTILEZA ENVIAR O PRINT COM ESTE ERRO PARA O SETOR DE "
                                "DESENVOLVIMENTO.\n\rMUNIC_CODIGO   -   001\n\rIE   -   RUIM"));
    EXPECT_TRUE(t[1].contains(" [{D8D317D6-7DFF-488A-BF74-D04F21F48115}] - "));
    EXPECT_TRUE(t[2].startsWith("RUIM "));
    EXPECT_TRUE(
        t[2].contains("\r\nLinha 3 do arquivo (IE RUIM). A captura foi desfeita: o banco de dados não "
                      "foi alterado."))
        << t[2].toStdString();
    QFile log(DiretorioSistema() + "LogORBEL.txt");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("D8D317D6"));
    // still recorded and summarised, without the success message
    EXPECT_EQ(LeIni(c.home.ini(), "Ativos", "Ultimo"), QString("AT00124.zip"));
    EXPECT_NE(t.last(), QString("Captura de arquivo finalizada com sucesso"));
}

TEST(ActiveCapture, EmptyAndOneLineFilesAndTheFlowsChecks)
{
    Captura c;
    // a file without records is refused: nothing to capture is never a success
    EXPECT_FALSE(c.captura(c.zip("AT00124.zip", {})));
    EXPECT_TRUE(c.ui.textos().last().startsWith("O arquivo AT00124.zip não contém nenhum registro"));
    BancoDeTeste b(c.home.banco());
    EXPECT_EQ(b.conta("MUNIC_TOTAIS"), 0);
    // a one-line file must not fail on the progress count
    c.ui.limpa();
    EXPECT_TRUE(c.captura(c.zip("AT00224.zip", linhas(1, "001"))));
    EXPECT_EQ(b.conta("ATIVOS"), 1);

    CapturaArquivos f(*c.dm, c.ui);
    c.ui.limpa();
    EXPECT_FALSE(f.Captura(CapturaArquivos::Ativos, c.home.arquivo("naoexiste.zip")));
    EXPECT_EQ(c.ui.textos().last(), QString("Arquivo não existe!"));
    const QString rt = c.zip("RT00124.zip", {});
    EXPECT_FALSE(f.Captura(CapturaArquivos::Ativos, rt));
    EXPECT_EQ(c.ui.textos().last(), QString("Arquivo não é de contribuintes ativos!"));
    EXPECT_FALSE(f.Captura(CapturaArquivos::Nenhum, rt));
    EXPECT_EQ(c.ui.textos().last(), QString("Tipo de arquivo não fornecido!"));
    // year of the file: base year 2023 expects 24; 23 asks, and No changes nothing
    c.ui.limpa();
    EXPECT_FALSE(f.Captura(CapturaArquivos::Ativos, c.zip("AT00123.zip", linhas(1, "005"))));
    ASSERT_EQ(c.ui.mensagens().size(), 1);
    EXPECT_EQ(c.ui.mensagens()[0].titulo, QString("Alerta"));
    EXPECT_EQ(b.conta("ATIVOS", "MUNIC_CODIGO = '005'"), 0);
    // capital letters in the extension fail the year check with a conversion error
    c.ui.limpa();
    QFile::copy(c.home.arquivo("AT00124.zip"), c.home.arquivo("AT00324.ZIP"));
    EXPECT_FALSE(f.Captura(CapturaArquivos::Ativos, c.home.arquivo("AT00324.ZIP")));
    EXPECT_TRUE(c.ui.textos().last().contains("não é um valor inteiro válido"));
    // not a zip at all
    c.ui.limpa();
    QFile ruim(c.home.arquivo("AT00424.zip"));
    ruim.open(QIODevice::WriteOnly);
    ruim.write("isto não é zip");
    ruim.close();
    EXPECT_FALSE(f.Captura(CapturaArquivos::Ativos, ruim.fileName()));
    EXPECT_EQ(c.ui.textos().last(), QString("Falha ao descompactar os arquivos"));
    EXPECT_FALSE(f.ocupado());
}

TEST(CaptureCommand, RunsTheFlowHeadlessWithTheAnswersAsked)
{
    auto home = TempHome::seeded();
    const QString z = home.arquivo("AT00124.zip");
    GravaZipCaptura(z, linhas(4, "003"));
    auto roda = [&](const QStringList &args) {
        const SaidaOrbel r = ExecutaOrbel(QStringList{"--home", home.path(), "capture"} + args);
        return std::make_pair(r.status, r.saida + r.erros);
    };
    auto r = roda({z});
    EXPECT_EQ(r.first, 0) << r.second.toStdString();
    EXPECT_TRUE(r.second.contains("Captura de arquivo finalizada com sucesso"));
    r = roda({z}); // existing data, no --yes: declined
    EXPECT_EQ(r.first, 1);
    EXPECT_TRUE(r.second.contains("-> Não"));
    r = roda({"--yes", z});
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(BancoDeTeste(home.banco()).conta("ATIVOS"), 4);
    EXPECT_EQ(roda({home.arquivo("X.zip")}).first, 2);
    EXPECT_EQ(roda({"--type", "retorno", z}).first, 1);
}
