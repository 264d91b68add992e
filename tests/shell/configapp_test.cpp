#include "shell/configapp.h"
#include "shell/diretorios.h"
#include "shell/scriptedui.h"
#include "support/temphome.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTextStream>
#include <QUuid>
#include <gtest/gtest.h>

namespace
{
QStringList linhasDoLog(const QString &p)
{
    QFile f(p);
    f.open(QIODevice::ReadOnly);
    QStringList l = QString::fromLatin1(f.readAll()).split("\r\n");
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}
void preenche(const QString &p, int n)
{
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    for (int i = 0; i < n; ++i)
        f.write(QByteArray("antiga ") + QByteArray::number(i) + "\r\n");
}
} // namespace

TEST(ConfigApp, IdentityTexts)
{
    TConfigApp c;
    EXPECT_EQ(c.VersaoSistema(), QString("4.00.13"));
    EXPECT_EQ(c.TituloSistema(), QString("ORBEL - Orbelia - Versão 4.00.13"));
    EXPECT_FALSE(c.VersaoTeste);
    EXPECT_EQ(c.MaxNumLinhas, 3000);
    EXPECT_EQ(c.NomeArqLog(), QString("LogORBEL.txt"));
}

TEST(ConfigApp, TrimmingStartsOnlyAfterMoreThanMaxEntriesInOneRun)
{
    auto home = TempHome::vazio();
    const QString log = DiretorioSistema() + "LogORBEL.txt";
    preenche(log, 3000);
    TConfigApp c; // the lines already there are not counted
    c.GravaLog("nova 0");
    EXPECT_EQ(linhasDoLog(log).size(), 3001);
    for (int i = 1; i <= 3000; ++i)
        c.GravaLog(QString("nova %1").arg(i));
    QStringList l = linhasDoLog(log);
    ASSERT_EQ(l.size(), 3000);
    EXPECT_EQ(l.first(), QString("nova 1"));
    EXPECT_EQ(l.last(), QString("nova 3000"));
    c.GravaLog("mais uma");
    l = linhasDoLog(log);
    EXPECT_EQ(l.size(), 3000);
    EXPECT_EQ(l.last(), QString("mais uma"));
}

TEST(ConfigApp, NoLimitAndLineWrittenAsGivenInWindows1252)
{
    auto home = TempHome::vazio();
    const QString log = DiretorioSistema() + "LogORBEL.txt";
    TConfigApp c;
    c.MaxNumLinhas = 0;
    for (int i = 0; i < 3005; ++i)
        c.GravaLog("x");
    EXPECT_EQ(linhasDoLog(log).size(), 3005);
    c.GravaLog(QString::fromUtf8("GravaRegistro 02 - Declaração"));
    QFile f(log);
    f.open(QIODevice::ReadOnly);
    EXPECT_TRUE(f.readAll().endsWith("Declara\xE7\xE3o\r\n"));
}

TEST(ConfigApp, SettingTheNameCountsExistingLinesWhenALimitIsSet)
{
    auto home = TempHome::vazio();
    preenche(DiretorioSistema() + "outro.txt", 10);
    TConfigApp c;
    c.setNomeArqLog("outro.txt");
    EXPECT_EQ(c.linhasContadas(), 10);
}

TEST(ConfigApp, EmptyNameWarnsOnceAndUnwritableFileStopsLoggingSilently)
{
    auto home = TempHome::vazio();
    ScriptedUi ui;
    TConfigApp c(&ui);
    c.setNomeArqLog("  ");
    ASSERT_EQ(ui.mensagens().size(), 1);
    EXPECT_EQ(ui.mensagens()[0].texto,
              QString("Não foi informado o nome do arquivo de Log de controle da aplicação!"));
    EXPECT_FALSE(c.GeraLog);
    c.GravaLog("nada");
    EXPECT_EQ(ui.mensagens().size(), 1);

    TConfigApp d(&ui);
    d.MaxNumLinhas = 0;
    d.setNomeArqLog("nao/existe/log.txt");
    d.GravaLog("x");
    EXPECT_FALSE(d.GeraLog);
    EXPECT_EQ(ui.mensagens().size(), 1);
}

TEST(ConfigApp, ForwardsEachLineToTheViewerEvenWhenTheFileFails)
{
    auto home = TempHome::vazio();
    EXPECT_EQ(TConfigApp().nomeVisualizador(), QString("VerLogKLV"));
    // a name of this test's own: other test programs log at the same time
    const QString nome = "VerLogKLV-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QLocalServer servidor;
    ASSERT_TRUE(servidor.listen(nome));
    QByteArray recebido;
    QObject::connect(&servidor, &QLocalServer::newConnection, [&] {
        QLocalSocket *s = servidor.nextPendingConnection();
        QObject::connect(s, &QLocalSocket::readyRead, [&, s] { recebido += s->readAll(); });
    });

    TConfigApp c;
    c.setNomeVisualizador(nome);
    c.MaxNumLinhas = 0;
    c.setNomeArqLog("sem/pasta/log.txt");
    c.GravaLog(QString::fromUtf8("Ação"));
    for (int i = 0; i < 50 && recebido.size() < 19; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

    const QByteArray texto("ORBEL - A\xE7\xE3o\0", 13);
    QByteArray esperado("\x01\x00\x00\x00", 4);
    esperado.append(char(texto.size())).append("\0\0\0", 3).append(texto);
    EXPECT_EQ(recebido, esperado);
}
