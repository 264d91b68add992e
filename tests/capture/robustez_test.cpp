#include "capture/capturaarquivos.h"
#include "capture/zipengine.h"
#include "data/tdmprincipal.h"
#include "shell/diretorios.h"
#include "shell/scriptedui.h"
#include "support/arquivosteste.h"
#include "support/banco.h"
#include "support/capturateste.h"
#include "support/temphome.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {
struct Captura : CapturaTeste
{
    Captura() { ui.setRespostaPadrao(UserInterface::Sim); }
};
void grava(const QString &p, const QByteArray &b)
{
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(b);
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
    grava(dir.filePath("PT00224.txt"), QByteArray("05001\x81\x8d\x00\x9d lixo\r\n", 16) + QByteArray(5 * 1024 * 1024, '7') + "\r\n");
    const QString rt = c.home.arquivo("RT00224.zip");
    ZipEngine().adiciona(rt, dir.filePath("PT00224.txt"));
    c.ui.limpa();
    EXPECT_TRUE(c.captura(CapturaArquivos::Retorno, rt)) << c.ui.textos().join(" | ").toStdString();
}

TEST(CaptureRobustness, AKilledCaptureIsRepairedByCapturingAgainWithReplacement)
{
    auto home = TempHome::seeded();
    QStringList linhas;
    for (int i = 0; i < 60000; ++i)
        linhas << LinhaAtivoTeste(QString::number(i), i % 2 ? "001" : "002", QString("C%1").arg(i)).texto();
    const QString zip = home.arquivo("AT00124.zip");
    GravaZipCaptura(zip, linhas);
    QProcess p;
    p.start(ORBEL_EXECUTABLE, {"--home", home.path(), "capture", "--yes", zip});
    ASSERT_TRUE(p.waitForStarted());
    // the embedded engine keeps the file to one process: kill it blind, mid-way
    QThread::msleep(1500);
    p.kill();
    p.waitForFinished();

    QProcess de_novo;
    de_novo.start(ORBEL_EXECUTABLE, {"--home", home.path(), "capture", "--yes", zip});
    ASSERT_TRUE(de_novo.waitForFinished(300000));
    EXPECT_EQ(de_novo.exitCode(), 0) << de_novo.readAllStandardError().toStdString();
    BancoDeTeste b(home.banco());
    EXPECT_EQ(b.conta("ATIVOS"), 60000);
    EXPECT_EQ(b.conta("MUNIC_TOTAIS"), 2);
    EXPECT_EQ(b.conta("RDB$INDICES", "RDB$INDEX_INACTIVE = 1"), 0);
}
