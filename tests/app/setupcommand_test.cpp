#include "app/setupcommand.h"
#include "shell/inifile.h"
#include "support/banco.h"

#include "support/executaorbel.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SetupCommand, LaysOutAHomeWithItsDatabaseAndRefusesToReplaceIt)
{
    QTemporaryDir dir;
    const QString home = dir.filePath("nova/pasta"); // may not exist yet
    SaidaOrbel r = ExecutaOrbel({"setup", "--home", home, "--base-year", "2021"});
    ASSERT_EQ(r.status, 0) << r.erros.toStdString();

    for (const char *p :
         {"ORBEL.ini", "bd/ORBEL.GDB", "bin/Msgs.dat", "bin/Item.bmp", "bin/ItemDisable.bmp", "ORBEL.HLP"})
        EXPECT_TRUE(QFile::exists(home + "/" + p)) << p;
    for (const char *p : {"temp", "Backup"})
        EXPECT_TRUE(QDir(home + "/" + p).exists()) << p;
    const QString banco = QDir(home).absoluteFilePath("bd/ORBEL.GDB");
    EXPECT_EQ(LeIni(home + "/ORBEL.ini", "ORBEL", "Database"), banco);
    {
        BancoDeTeste b(banco);
        EXPECT_EQ(b.valor("SELECT VALOR FROM PARAMETROS WHERE CAMPO = 'ANOEXERCICIO'").toString(),
                  QString("2021"));
        EXPECT_EQ(b.conta("ERROS"), 18); // with the two codes of the start's upgrade: no restart asked
        EXPECT_EQ(b.conta("CAMPOS", "RETORNO BETWEEN '018' AND '028' AND TABELA_DESTINO = 'DEC_DRO'"), 11);
        EXPECT_GT(b.conta("MUNICIPIOS", "CHAR_LENGTH(MUNIC_NOME) > 30"), 0);
        EXPECT_EQ(b.valor("SELECT RDB$CHARACTER_SET_NAME FROM RDB$DATABASE").toString().trimmed(),
                  QString("WIN1252"));
        b.executa("INSERT INTO PARAMETROS (CAMPO, VALOR) VALUES ('MARCA', 'x')");
    }

    r = ExecutaOrbel({"setup", "--home", home});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.erros.contains("--force")) << r.erros.toStdString();
    EXPECT_EQ(BancoDeTeste(banco).conta("PARAMETROS", "CAMPO = 'MARCA'"), 1);

    r = ExecutaOrbel({"setup", "--home", home, "--force"});
    ASSERT_EQ(r.status, 0) << r.erros.toStdString();
    EXPECT_EQ(BancoDeTeste(banco).conta("PARAMETROS", "CAMPO = 'MARCA'"), 0);
}

TEST(SetupCommand, AHomeWithAccentsWorksAndAFailedSetupTakesAwayWhatItMade)
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QString::fromUtf8("Área de Trabalho/casa ção"));
    SaidaOrbel r = ExecutaOrbel({"setup", "--home", home, "--base-year", "2023"});
    ASSERT_EQ(r.status, 0) << r.erros.toStdString();
    EXPECT_TRUE(QFile::exists(home + "/bd/ORBEL.GDB"));
    // a command that connects and captures there
    QTemporaryDir arquivos;
    QProcess g;
    g.start(ORBEL_GERADOR,
            {"--out", arquivos.path(), "--municipios", "2", "--contribuintes", "20", "--seed", "3"});
    ASSERT_TRUE(g.waitForFinished(120000));
    for (const char *zip : {"AT0024.zip", "RT0024.zip"}) {
        r = ExecutaOrbel({"--home", home, "capture", "--yes", arquivos.filePath(zip)});
        EXPECT_EQ(r.status, 0) << zip << ": " << r.erros.toStdString();
        EXPECT_FALSE(r.erros.contains("Favor reiniciar")) << r.erros.toStdString();
    }
    EXPECT_GT(BancoDeTeste(QDir(home).absoluteFilePath("bd/ORBEL.GDB")).conta("DECLARACOES"), 0);

    // the database cannot be made (a folder stands in its place): nothing of this run stays
    const QString outra = dir.filePath(QString::fromUtf8("outra ç"));
    ASSERT_TRUE(QDir().mkpath(outra + "/bd/ORBEL.GDB"));
    r = ExecutaOrbel({"setup", "--home", outra, "--force"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(QDir(outra).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"bd"});
    EXPECT_FALSE(QFile::exists(outra + "/ORBEL.ini"));
}
