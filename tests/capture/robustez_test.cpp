#include "capture/capturaarquivos.h"
#include "data/tdmprincipal.h"
#include "shell/diretorios.h"
#include "shell/scriptedui.h"
#include "shell/zipengine.h"
#include "support/arquivosteste.h"
#include "support/banco.h"
#include "support/capturateste.h"
#include "support/temphome.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

namespace
{
struct Captura : CapturaTeste {
    Captura() { ui.setRespostaPadrao(UserInterface::Sim); }
};
void grava(const QString &p, const QByteArray &b)
{
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(b);
}
} // namespace

namespace
{
// Every row of every table of the capture, as text, in a stable order.
QStringList conteudo(const QString &banco)
{
    BancoDeTeste b(banco);
    QStringList tudo;
    for (const char *tabela : {"ATIVOS",
                               "DECLARACOES",
                               "DEC_DRO",
                               "DEC_DO",
                               "DEC_ENTESTADO",
                               "DEC_SAIESTADO",
                               "DEC_SIMPLES",
                               "DEC_ENTRADASSAIDAS",
                               "DEC_ENTOUTROS",
                               "DEC_SAIOUTROS",
                               "DEC_ENTEXTERIOR",
                               "DEC_SAIEXTERIOR",
                               "DEC_ESTOQUE",
                               "DEC_VAF",
                               "DEC_VAFDETALHES",
                               "DEC_VAFEXCLUSOES",
                               "HISTORICO",
                               "HIST_ERROS",
                               "MUNIC_VAFA",
                               "MUNIC_VAFB",
                               "MUNIC_INDICES",
                               "MUNIC_TOTAIS",
                               "MUNIC_RESUMO",
                               "DEC_TOTAL_SN",
                               "DEC_SIMEI",
                               "VAF_MUDANCA_MUNIC",
                               "DEC_DET_MERCADORIA_RURAL",
                               "DEC_DET_AMBULANTES",
                               "DEC_DET_TRANSF_MERC_INFRACAO"}) {
        QStringList linhas;
        QSqlQuery q(QSqlDatabase::database(b.nomeConexao()));
        q.setForwardOnly(true);
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT * FROM ") + tabela)) << tabela;
        const int colunas = q.record().count(); // asking the record per row costs a catalogue query each time
        while (q.next()) {
            QStringList campos;
            for (int i = 0; i < colunas; ++i)
                campos << q.value(i).toString();
            linhas << campos.join(u'|');
        }
        linhas.sort();
        tudo << QStringLiteral("%1: %2 linhas").arg(tabela).arg(linhas.size()) << linhas;
    }
    return tudo;
}

// The first difference between two contents, for a readable failure.
::testing::AssertionResult mesmoConteudo(const QStringList &obtido, const QStringList &esperado)
{
    for (qsizetype i = 0; i < std::min(obtido.size(), esperado.size()); ++i)
        if (obtido[i] != esperado[i])
            return ::testing::AssertionFailure() << "linha " << i << ": " << obtido[i].left(200).toStdString()
                                                 << " em vez de " << esperado[i].left(200).toStdString();
    if (obtido.size() != esperado.size())
        return ::testing::AssertionFailure() << obtido.size() << " linhas em vez de " << esperado.size();
    return ::testing::AssertionSuccess();
}

QString gera(const QString &pasta)
{
    QProcess g;
    g.start(ORBEL_GERADOR, {"--out", pasta, "--municipios", "12", "--contribuintes", "250", "--seed", "7"});
    EXPECT_TRUE(g.waitForFinished(120000));
    return pasta;
}
} // namespace

TEST(CaptureRobustness, ArchivesWithoutTheExpectedTextFileAreReportedAndLeaveTheProgramUsable)
{
    Captura c;
    QTemporaryDir dir;
    // an entry of another name
    grava(dir.filePath("outro.txt"), "x");
    const QString zip = c.home.arquivo("AT00124.zip");
    ZipEngine().adiciona(zip, dir.filePath("outro.txt"));
    EXPECT_FALSE(c.captura(CapturaArquivos::Ativos, zip));
    EXPECT_TRUE(c.ui.textos().first().endsWith("PT00124.txt não existe!"));
    // several entries, the right one among them: it is captured
    grava(dir.filePath("PT00124.txt"), LinhaAtivoTeste("1", "001", "C1").texto().toLatin1() + "\r\n");
    ZipEngine().adiciona(zip, dir.filePath("PT00124.txt"));
    c.ui.limpa();
    EXPECT_TRUE(c.captura(CapturaArquivos::Ativos, zip));
    // a return archive without its text file: the precheck's message, then the flow's
    const QString rt = c.home.arquivo("RT00124.zip");
    ZipEngine().adiciona(rt, dir.filePath("outro.txt"));
    c.ui.limpa();
    EXPECT_FALSE(c.captura(CapturaArquivos::Retorno, rt));
    EXPECT_EQ(c.ui.textos().last(), QString("Falha ao importa retorno \r\nOperation aborted"));
    // the scratch folder cannot be made: a clear message, nothing changed
    QDir(DiretorioTemp()).removeRecursively();
    grava(DiretorioSistema() + "temp", "um arquivo no lugar da pasta");
    c.ui.limpa();
    EXPECT_FALSE(c.captura(CapturaArquivos::Ativos, zip));
    EXPECT_EQ(c.ui.textos().last(), QString("Falha ao descompactar os arquivos"));
    EXPECT_EQ(BancoDeTeste(c.home.banco()).conta("ATIVOS"), 1);
}

TEST(CaptureRobustness, AHugeLineAndBytesOutsideTheCodePageAreReadWithoutHarm)
{
    Captura c;
    QString enorme = LinhaAtivoTeste("1", "001", "C1").texto() + QString(10 * 1024 * 1024, u'X');
    QStringList linhas{enorme, LinhaAtivoTeste("2", "001", "C2").texto()};
    GravaZipCaptura(c.home.arquivo("AT00124.zip"), linhas);
    EXPECT_TRUE(c.captura(CapturaArquivos::Ativos, c.home.arquivo("AT00124.zip")));
    EXPECT_EQ(BancoDeTeste(c.home.banco()).conta("ATIVOS"), 2);

    // undefined Windows-1252 bytes and a NUL in a return line of an unknown type
    QTemporaryDir dir;
    grava(dir.filePath("PT00224.txt"), QByteArray("05001\x81\x8d\x00\x9d lixo\r\n", 16) + "05001" +
                                           QByteArray(5 * 1024 * 1024, '7') + "\r\n");
    const QString rt = c.home.arquivo("RT00224.zip");
    ZipEngine().adiciona(rt, dir.filePath("PT00224.txt"));
    c.ui.limpa();
    EXPECT_TRUE(c.captura(CapturaArquivos::Retorno, rt)) << c.ui.textos().join(" | ").toStdString();
}

TEST(CaptureRobustness, AnActiveCaptureKilledMidwayChangesNothingAndTheNextOneWorks)
{
    auto home = TempHome::seeded();
    BancoDeTeste(home.banco())
        .executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO, CNPJ) VALUES ('ANTIGO', '001', 'X')");
    QStringList linhas;
    for (int i = 0; i < 60000; ++i)
        linhas << LinhaAtivoTeste(QString::number(i), i % 2 ? "001" : "002", QString("C%1").arg(i)).texto();
    const QString zip = home.arquivo("AT00124.zip");
    GravaZipCaptura(zip, linhas);
    QProcess p;
    p.setReadChannel(QProcess::StandardError); // progress goes to standard error
    p.start(ORBEL_EXECUTABLE, {"--home", home.path(), "capture", "--yes", zip});
    ASSERT_TRUE(p.waitForStarted());
    // killed once the import has shown progress and well before its end (the estimate of 466 bytes
    // a line makes the end of these lines about 65%): the replacement's
    // deletion and the rows written so far are in one transaction that never commits
    QByteArray progresso;
    const QRegularExpression meio(QStringLiteral("Efetuando carga dos dados\\.\\.\\. ([1-4][0-9])%"));
    while (!meio.match(QString::fromUtf8(progresso)).hasMatch()) {
        ASSERT_TRUE(p.waitForReadyRead(60000)) << progresso.right(300).toStdString();
        progresso += p.readAllStandardError();
    }
    p.kill();
    p.waitForFinished();
    ASSERT_EQ(p.exitStatus(), QProcess::CrashExit);
    progresso += p.readAllStandardError();
    ASSERT_FALSE(progresso.contains("Gerando resumo")) << "killed after the import's end";
    {
        BancoDeTeste b(home.banco());
        EXPECT_EQ(b.conta("ATIVOS"), 1);
        EXPECT_EQ(b.conta("ATIVOS", "IE = 'ANTIGO'"), 1);
        EXPECT_EQ(b.conta("MUNIC_TOTAIS"), 0);
    }

    QProcess de_novo;
    de_novo.start(ORBEL_EXECUTABLE, {"--home", home.path(), "capture", "--yes", zip});
    ASSERT_TRUE(de_novo.waitForFinished(300000));
    EXPECT_EQ(de_novo.exitCode(), 0) << de_novo.readAllStandardError().toStdString();
    BancoDeTeste b(home.banco());
    EXPECT_EQ(b.conta("ATIVOS"), 60000);
    EXPECT_EQ(b.conta("MUNIC_TOTAIS"), 2);
    EXPECT_EQ(b.conta("RDB$INDICES", "RDB$INDEX_INACTIVE = 1"), 0);
}

TEST(CaptureRobustness, BrokenOrEmptyArchivesAndEmptyFilesChangeNothingAndTheNextCaptureWorks)
{
    Captura c;
    const QString bom = c.home.arquivo("AT00124.zip");
    GravaZipCaptura(bom,
                    {LinhaAtivoTeste("1", "001", "C1").texto(), LinhaAtivoTeste("2", "001", "C2").texto()});
    ASSERT_TRUE(c.captura(CapturaArquivos::Ativos, bom));

    // cut short in the middle of its data
    QFile f(bom);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray inteiro = f.readAll();
    f.close();
    const QString truncado = c.home.arquivo("AT00224.zip");
    grava(truncado, inteiro.left(inteiro.size() / 2));
    c.ui.limpa();
    EXPECT_FALSE(c.captura(CapturaArquivos::Ativos, truncado));
    EXPECT_EQ(c.ui.textos().last(), QString("Falha ao descompactar os arquivos"));

    // an archive with no entry at all: only its end record
    const QString vazio = c.home.arquivo("RT00324.zip");
    grava(vazio, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    c.ui.limpa();
    EXPECT_FALSE(c.captura(CapturaArquivos::Retorno, vazio));
    EXPECT_TRUE(c.ui.textos().filter("PT00324.txt não existe!").size() == 1)
        << c.ui.textos().join(" | ").toStdString();

    // an empty text file of each kind: nothing to import, nothing removed
    GravaZipCaptura(c.home.arquivo("AT00424.zip"), {});
    GravaZipCaptura(c.home.arquivo("RT00424.zip"), {});
    c.ui.limpa();
    c.captura(CapturaArquivos::Ativos, c.home.arquivo("AT00424.zip"));
    c.captura(CapturaArquivos::Retorno, c.home.arquivo("RT00424.zip"));
    BancoDeTeste b(c.home.banco());
    EXPECT_EQ(b.conta("ATIVOS"), 2);
    EXPECT_EQ(b.conta("DECLARACOES"), 0);

    // and the program goes on capturing
    c.ui.limpa();
    EXPECT_TRUE(c.captura(CapturaArquivos::Ativos, bom)) << c.ui.textos().join(" | ").toStdString();
    EXPECT_EQ(b.conta("ATIVOS"), 2);
}

TEST(CaptureRobustness, ReturnLinesShorterThanTheirLayout)
{
    Captura c;
    QStringList l;
    // a declaration whose address records hold only their head: its fields are empty
    l << CabecaRetorno("0A", "0000000000001").texto() << CabecaRetorno("0B", "0000000000001").texto();
    l << CabecaRetorno("01", "0000000000001")
             .poe(19, "2023")
             .poe(23, "CURTA")
             .poe(58, "01032024")
             .poe(66, "080000")
             .poe(72, "01032024")
             .poe(80, "01032024")
             .poe(162, "01")
             .texto();
    l << CabecaRetorno("02", "0000000000001").poe(19, "RESP").texto();
    l << CabecaRetorno("08", "0000000000001")
             .poe(19, "001")
             .poe(22, "15")
             .texto(); // ends before its percentage
    const QStringList fim{CabecaRetorno("0A", "0000000000002").texto()};
    GravaZipCaptura(c.home.arquivo("RT00124.zip"), l + fim);
    EXPECT_TRUE(c.captura(CapturaArquivos::Retorno, c.home.arquivo("RT00124.zip")))
        << c.ui.textos().join(" | ").toStdString();
    BancoDeTeste b(c.home.banco());
    EXPECT_EQ(b.conta("DECLARACOES"), 1);
    EXPECT_EQ(b.valor("SELECT CONT_ENDERECO FROM DECLARACOES").toString(), QString());
    EXPECT_EQ(b.valor("SELECT DEC_NOME FROM DECLARACOES").toString(), QString("CURTA"));
    EXPECT_EQ(b.conta("DEC_VAFDETALHES", "PERC_MUNIC = 0 AND VALOR = 15"), 1);
    const QStringList antes = conteudo(c.home.banco());

    // a VAF record without its amounts fails, and the replacement of the municipality with it
    l << CabecaRetorno("07", "0000000000001").texto();
    GravaZipCaptura(c.home.arquivo("RT00124.zip"), l + fim);
    c.ui.limpa();
    EXPECT_FALSE(c.captura(CapturaArquivos::Retorno, c.home.arquivo("RT00124.zip")));
    const QStringList erro = c.ui.textos().filter("GravaRegistro 7 - ");
    ASSERT_EQ(erro.size(), 1) << c.ui.textos().join(" | ").toStdString();
    EXPECT_TRUE(erro[0].contains("Linha 6 do arquivo (registro 07, IE 0000000000001)"))
        << erro[0].toStdString();
    EXPECT_TRUE(mesmoConteudo(conteudo(c.home.banco()), antes));
}

TEST(CaptureRobustness, ADatabaseFileThatCannotBeWrittenIsReportedAndCapturingWorksOnceItCanBe)
{
    auto home = TempHome::seeded();
    const QString zip = home.arquivo("AT00124.zip");
    GravaZipCaptura(zip, {LinhaAtivoTeste("1", "001", "C1").texto()});
    // the superuser ignores permission bits: the file is made immutable instead
    const bool raiz = geteuid() == 0;
    auto protege = [&](bool sim) {
        if (raiz)
            return QProcess::execute("chattr", {sim ? "+i" : "-i", home.banco()}) == 0;
        return QFile::setPermissions(home.banco(), sim ? QFileDevice::ReadOwner
                                                       : QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    };
    if (!protege(true))
        GTEST_SKIP() << "this file system cannot make the database file read-only";
    struct Libera {
        std::function<bool(bool)> f;
        ~Libera() { f(false); }
    } libera{protege};

    QProcess p;
    p.start(ORBEL_EXECUTABLE, {"--home", home.path(), "capture", "--yes", zip});
    ASSERT_TRUE(p.waitForFinished(120000));
    const QString saida = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(saida.contains(QStringLiteral("Erro ao conectar com o banco"))) << saida.toStdString();
    EXPECT_TRUE(saida.contains(QStringLiteral("não pode ser gravado"))) << saida.toStdString();

    protege(false);
    p.start(ORBEL_EXECUTABLE, {"--home", home.path(), "capture", "--yes", zip});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(BancoDeTeste(home.banco()).conta("ATIVOS"), 1);
}

TEST(CaptureRobustness, AReturnCaptureKilledMidwayIsRepairedByCapturingAgainToTheCleanResult)
{
    QTemporaryDir arquivos;
    gera(arquivos.path());
    const QString at = arquivos.filePath("AT0024.zip"), rt = arquivos.filePath("RT0024.zip");
    auto captura = [](const TempHome &home, const QString &zip) {
        QProcess p;
        p.start(ORBEL_EXECUTABLE, {"--home", home.path(), "capture", "--yes", zip});
        EXPECT_TRUE(p.waitForFinished(300000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    };

    auto limpa = TempHome::seeded();
    captura(limpa, at);
    captura(limpa, rt);

    auto home = TempHome::seeded();
    captura(home, at);
    // stopped once the import has shown progress, well before its end: asked to terminate (a
    // logout, Ctrl+C) or killed outright
    auto interrompe = [&](const std::function<void(QProcess &)> &sinal) {
        QProcess p;
        p.setReadChannel(QProcess::StandardError); // progress goes to standard error
        p.start(ORBEL_EXECUTABLE, {"--home", home.path(), "capture", "--yes", rt});
        ASSERT_TRUE(p.waitForStarted());
        QByteArray progresso;
        while (!progresso.contains("Efetuando carga dos dados... 30%")) {
            ASSERT_TRUE(p.waitForReadyRead(60000)) << progresso.right(300).toStdString();
            progresso += p.readAllStandardError();
        }
        sinal(p);
        ASSERT_TRUE(p.waitForFinished(15000)) << "the process outlived its signal";
        // the import was stopped before its end: its commit is followed by the summary's runner
        progresso += p.readAllStandardError();
        EXPECT_FALSE(progresso.contains("Gerando resumo")) << progresso.right(300).toStdString();
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
        EXPECT_FALSE(p.readAllStandardError().contains("finalizada com sucesso"));
    };
    // each stopped run leaves the database table by table as it was; the second one replaces a
    // whole state already stored (the clean-up's deletions are undone too)
    const QStringList soAtivos = conteudo(home.banco());
    interrompe([](QProcess &p) { p.terminate(); });
    EXPECT_TRUE(mesmoConteudo(conteudo(home.banco()), soAtivos));
    captura(home, rt);
    const QStringList capturado = conteudo(home.banco());
    ASSERT_TRUE(mesmoConteudo(capturado, conteudo(limpa.banco())));
    interrompe([](QProcess &p) { p.kill(); });
    EXPECT_TRUE(mesmoConteudo(conteudo(home.banco()), capturado));

    captura(home, rt); // "--yes": the old rows are replaced
    const QStringList esperado = conteudo(limpa.banco()), obtido = conteudo(home.banco());
    ASSERT_EQ(esperado.size(), obtido.size());
    for (int i = 0; i < esperado.size(); ++i)
        ASSERT_EQ(esperado[i], obtido[i]) << "linha " << i;
}

TEST(CaptureRobustness, NotAZipAndBadValuesInTheMiddleOfAReturnChangeNothing)
{
    Captura c;
    const QString falso = c.home.arquivo("RT00124.zip");
    grava(falso, "PT00124.txt\r\n0A001 isto não é um zip");
    EXPECT_FALSE(c.captura(CapturaArquivos::Retorno, falso));
    EXPECT_EQ(c.ui.textos().last(), QString("Falha ao descompactar os arquivos"));

    auto declaracao = [&](const char *ie, const char *entrega, const char *entradas) {
        return QStringList{CabecaRetorno("0A", ie).texto(), CabecaRetorno("0B", ie).texto(),
                           CabecaRetorno("01", ie)
                               .poe(19, "2023")
                               .poe(23, "EMPRESA")
                               .poe(58, entrega)
                               .poe(66, "080000")
                               .poe(72, "01032024")
                               .poe(80, "01032024")
                               .poe(162, "01")
                               .texto(),
                           CabecaRetorno("02", ie).poe(19, "RESP").poe(103, QString(60, u'0')).texto(),
                           CabecaRetorno("07", ie)
                               .poe(19, "000000000001000")
                               .poe(34, entradas)
                               .poe(49, "000000000000000")
                               .poe(64, "000000000001000")
                               .poe(79, "01")
                               .texto()};
    };
    // an impossible date is reported and stored as the empty date; an amount with a letter fails
    // its record and stops the run there, undoing what came before it
    QStringList l = declaracao("0000000000001", "31022024", "000000000000500");
    l << declaracao("0000000000002", "01032024", "0000000000005A0")
      << declaracao("0000000000003", "01032024", "000000000000500");
    GravaZipCaptura(c.home.arquivo("RT00224.zip"), l);
    c.ui.limpa();
    EXPECT_FALSE(c.captura(CapturaArquivos::Retorno, c.home.arquivo("RT00224.zip")));
    EXPECT_EQ(c.ui.textos().filter("Data incorreta: 31022024").size(), 1)
        << c.ui.textos().join(" | ").toStdString();
    EXPECT_EQ(c.ui.textos().filter("GravaRegistro 7 - ").size(), 1)
        << c.ui.textos().join(" | ").toStdString();
    BancoDeTeste b(c.home.banco());
    EXPECT_EQ(b.conta("DEC_VAF"), 0);
    EXPECT_EQ(b.conta("DECLARACOES"), 0);

    // mended, the same file captures whole
    l = declaracao("0000000000001", "31022024", "000000000000500");
    l << declaracao("0000000000002", "01032024", "000000000000500")
      << declaracao("0000000000003", "01032024", "000000000000500");
    GravaZipCaptura(c.home.arquivo("RT00224.zip"), l);
    c.ui.limpa();
    EXPECT_TRUE(c.captura(CapturaArquivos::Retorno, c.home.arquivo("RT00224.zip")))
        << c.ui.textos().join(" | ").toStdString();
    EXPECT_EQ(b.conta("DEC_VAF"), 3);
    EXPECT_EQ(b.conta("DEC_VAF", "ENTRADAS_VAF = 500"), 3);
}

TEST(CaptureRobustness, LineEndsOfEverySystemAndAByteOrderMarkCaptureTheSameRows)
{
    Captura c;
    BancoDeTeste b(c.home.banco());
    const QStringList ativos{LinhaAtivoTeste("1", "001", "C1").texto(),
                             LinhaAtivoTeste("2", "001", "C2").texto()};
    auto zip = [&](const QString &nome, const QByteArray &texto) {
        QTemporaryDir dir;
        const QString txt = dir.filePath("P" + nome.mid(1, nome.size() - 5) + ".txt");
        grava(txt, texto);
        ZipEngine().adiciona(c.home.arquivo(nome), txt);
        return c.home.arquivo(nome);
    };
    const QByteArray linhas = ativos.join("\n").toLatin1();
    for (const QByteArray &fim : {QByteArray("\r"), QByteArray("\n"), QByteArray("\r\n")}) {
        QByteArray texto = linhas;
        texto.replace("\n", fim);
        c.ui.limpa();
        ASSERT_TRUE(c.captura(CapturaArquivos::Ativos, zip("AT00124.zip", texto + fim)))
            << c.ui.textos().join(" | ").toStdString();
        EXPECT_EQ(b.conta("ATIVOS"), 2);
        EXPECT_EQ(b.conta("ATIVOS", "IE = '2' AND CNPJ = 'C2'"), 1);
    }
    // a byte-order mark before a one-municipality return: one municipality, nothing else touched
    b.executa("INSERT INTO DECLARACOES (DEC_ID, MUNIC_CODIGO, DEC_IE) VALUES (1, '002', 'OUTRO')");
    const QStringList retorno{CabecaRetorno("0A", "0000000000001").texto(),
                              CabecaRetorno("01", "0000000000001")
                                  .poe(19, "2023")
                                  .poe(23, "COM BOM")
                                  .poe(58, "01032024")
                                  .poe(66, "080000")
                                  .poe(72, "01032024")
                                  .poe(80, "01032024")
                                  .poe(162, "01")
                                  .texto(),
                              CabecaRetorno("02", "0000000000001").poe(19, "RESP").texto()};
    c.ui.limpa();
    EXPECT_TRUE(c.captura(CapturaArquivos::Retorno,
                          zip("RT00124.zip", "\xEF\xBB\xBF" + retorno.join("\r").toLatin1() + "\r")))
        << c.ui.textos().join(" | ").toStdString();
    EXPECT_TRUE(c.ui.textos().filter("Já existem dados de municípios").isEmpty());
    EXPECT_EQ(b.conta("DECLARACOES"), 2);
    EXPECT_EQ(b.conta("DECLARACOES", "DEC_IE = 'OUTRO'"), 1);
    EXPECT_EQ(b.valor("SELECT DEC_ID FROM DECLARACOES WHERE DEC_IE = '0000000000001'").toInt(), 2);
}

TEST(CaptureRobustness, AFileOfTheOtherKindIsRefusedBeforeAnythingIsDeleted)
{
    Captura c;
    QTemporaryDir arquivos;
    gera(arquivos.path());
    ASSERT_TRUE(c.captura(CapturaArquivos::Ativos, arquivos.filePath("AT0024.zip")));
    ASSERT_TRUE(c.captura(CapturaArquivos::Retorno, arquivos.filePath("RT0024.zip")));
    const QStringList antes = conteudo(c.home.banco());
    // each archive renamed as the other kind: refused, the clerk told what the file looks like
    QFile::copy(arquivos.filePath("RT0024.zip"), c.home.arquivo("AT0024.zip"));
    QFile::copy(arquivos.filePath("AT0024.zip"), c.home.arquivo("RT0024.zip"));
    c.ui.limpa();
    EXPECT_FALSE(c.captura(CapturaArquivos::Ativos, c.home.arquivo("AT0024.zip")));
    EXPECT_TRUE(
        c.ui.textos().last().startsWith("O arquivo AT0024.zip não parece ser de contribuintes ativos: a "
                                        "linha 1 tem "))
        << c.ui.textos().join(" | ").toStdString();
    EXPECT_TRUE(c.ui.textos().last().contains("arquivo de retorno de declarações"));
    c.ui.limpa();
    EXPECT_FALSE(c.captura(CapturaArquivos::Retorno, c.home.arquivo("RT0024.zip")));
    EXPECT_TRUE(
        c.ui.textos().last().contains("O arquivo RT0024.zip não parece ser de retorno de declarações: a "
                                      "linha 1 tem 716 caracteres, como as de um arquivo de contribuintes "
                                      "ativos"))
        << c.ui.textos().join(" | ").toStdString();
    // no question was asked: nothing was about to be replaced
    EXPECT_TRUE(c.ui.textos().filter("Já existem dados").isEmpty());
    // lines of no kind: an unknown record type, a municipality that is not registered
    GravaZipCaptura(c.home.arquivo("RT00124.zip"), {"ZZ001" + QString(40, u'0')});
    GravaZipCaptura(c.home.arquivo("RT00224.zip"), {CabecaRetorno("0A", "0000000000001", "999").texto()});
    c.ui.limpa();
    c.captura(CapturaArquivos::Retorno, c.home.arquivo("RT00124.zip"));
    c.captura(CapturaArquivos::Retorno, c.home.arquivo("RT00224.zip"));
    EXPECT_EQ(c.ui.textos().filter("\"ZZ\", que não é um tipo de registro de retorno").size(), 1);
    EXPECT_EQ(c.ui.textos().filter("o município \"999\" da linha 1 não está cadastrado").size(), 1);
    EXPECT_TRUE(mesmoConteudo(conteudo(c.home.banco()), antes));
}

TEST(CaptureRobustness, ADeclarationBeforeAnyStartGetsTheFirstNumberAndProgressStopsAt100)
{
    Captura c;
    // a record 02 with no 0A or 01 before it; short lines make the 166-byte estimate far too low
    QStringList l{CabecaRetorno("02", "0000000000001").poe(19, "RESP").texto()};
    for (int i = 0; i < 50; ++i)
        l << CabecaRetorno("05", "0000000000001").texto();
    GravaZipCaptura(c.home.arquivo("RT00124.zip"), l);
    EXPECT_TRUE(c.captura(CapturaArquivos::Retorno, c.home.arquivo("RT00124.zip")))
        << c.ui.textos().join(" | ").toStdString();
    BancoDeTeste b(c.home.banco());
    EXPECT_EQ(b.conta("DECLARACOES"), 1);
    EXPECT_EQ(b.conta("DECLARACOES", "DEC_ID = 1"), 1);
}

TEST(CaptureRobustness, TextOutsideTheCodePagesCapitalsIsCapturedAsIs)
{
    Captura c;
    const QString nome = QString::fromUtf8("CAFÉ ƒ µ ß ÿ");
    GravaZipCaptura(c.home.arquivo("AT00124.zip"), {LinhaAtivoTeste("1", "001", "C1", nome).texto(),
                                                    LinhaAtivoTeste("2", "001", "C2").texto()});
    ASSERT_TRUE(c.captura(CapturaArquivos::Ativos, c.home.arquivo("AT00124.zip")))
        << c.ui.textos().join(" | ").toStdString();
    BancoDeTeste b(c.home.banco());
    EXPECT_EQ(b.conta("ATIVOS"), 2);
    EXPECT_EQ(b.valor("SELECT NOMECOMER FROM ATIVOS WHERE IE = '1'").toString(),
              QString::fromUtf8("CAFÉ ƒ µ ß Ÿ"));
}

namespace
{
// An archive made with entries of the given stored names (folders included) and contents.
void zipComEntradas(const QString &zip, const QList<QPair<QString, QByteArray>> &entradas)
{
    QFile::remove(zip);
    int erro = 0;
    zip_t *z = zip_open(QFile::encodeName(zip).constData(), ZIP_CREATE, &erro);
    ASSERT_TRUE(z);
    for (const auto &[nome, dados] : entradas) {
        void *copia = malloc(size_t(dados.size()));
        memcpy(copia, dados.constData(), size_t(dados.size()));
        zip_source_t *s = zip_source_buffer(z, copia, zip_uint64_t(dados.size()), 1);
        const zip_int64_t i = zip_file_add(z, nome.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(i, 0);
        zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}
} // namespace

TEST(CaptureRobustness, ArchivesThatWouldFillTheDiskOrOverwriteThemselvesAreRefusedAndTempIsEmptied)
{
    Captura c;
    const QByteArray linha = LinhaAtivoTeste("1", "001", "C1").texto().toLatin1() + "\r\n";
    // two entries that land on the same name once their folders are dropped
    const QString dois = c.home.arquivo("AT00124.zip");
    zipComEntradas(dois, {{"a/PT00124.txt", linha}, {"b/PT00124.txt", "lixo\r\n"}});
    EXPECT_FALSE(c.captura(CapturaArquivos::Ativos, dois));
    EXPECT_TRUE(
        c.ui.textos().last().startsWith("Falha ao descompactar os arquivos\r\nO arquivo compactado "
                                        "AT00124.zip tem duas entradas que seriam gravadas como PT00124.txt"))
        << c.ui.textos().last().toStdString();
    EXPECT_TRUE(QDir(DiretorioTemp()).entryList(QDir::Files).isEmpty());

    // an entry that says it expands to 2 GB: refused before a byte is written
    const QString bomba = c.home.arquivo("AT00224.zip");
    zipComEntradas(bomba, {{"PT00224.txt", linha}});
    QFile f(bomba);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    const qsizetype central = bytes.indexOf(QByteArray("PK\x01\x02", 4));
    ASSERT_GT(central, 0);
    const quint32 enorme = 0x7FFFFFFF;
    memcpy(bytes.data() + central + 24, &enorme, 4); // the uncompressed size of the central directory
    f.seek(0);
    f.write(bytes);
    f.close();
    c.ui.limpa();
    EXPECT_FALSE(c.captura(CapturaArquivos::Ativos, bomba));
    EXPECT_TRUE(
        c.ui.textos().last().contains("A entrada PT00224.txt do arquivo compactado AT00224.zip se expande "
                                      "em 2047 MB"))
        << c.ui.textos().last().toStdString();
    EXPECT_EQ(BancoDeTeste(c.home.banco()).conta("ATIVOS"), 0);

    // a capture that succeeds leaves no file behind in temp/ either
    zipComEntradas(c.home.arquivo("AT00324.zip"), {{"pasta/PT00324.txt", linha}});
    c.ui.limpa();
    EXPECT_TRUE(c.captura(CapturaArquivos::Ativos, c.home.arquivo("AT00324.zip")))
        << c.ui.textos().join(" | ").toStdString();
    EXPECT_TRUE(QDir(DiretorioTemp()).entryList(QDir::Files).isEmpty());
}
