#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/win1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{
QByteArray conteudo(const QString &p)
{
    QFile f(p);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
void grava(const QString &p, const QByteArray &b)
{
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(b);
}
} // namespace

TEST(IniFile, MissingFileRaisesOnlyForTheCheckedFunctions)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("ORBEL.ini");
    try {
        LeIni(ini, "ORBEL", "Database");
        FAIL() << "expected an error";
    } catch (const OrbelError &e) {
        EXPECT_EQ(e.message(), QString("Arquivo INI não encontrado!"));
    }
    EXPECT_THROW(GravaIni(ini, "ORBEL", "Database", "x"), OrbelError);
    EXPECT_FALSE(QFile::exists(ini));

    // the capture's direct access reads empty and creates the file on write
    EXPECT_EQ(LeIniDireto(ini, "Ativos", "Ultimo"), QString());
    GravaIniDireto(ini, "Ativos", "Ultimo", "AT2023.zip");
    EXPECT_EQ(LeIni(ini, "Ativos", "Ultimo"), QString("AT2023.zip"));
}

TEST(IniFile, ReadsCaseInsensitivelyAndKeepsTextAfterFirstEquals)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("ORBEL.ini");
    grava(ini, "[orbel]\r\nDATABASE=C:\\x=y\\ORBEL.GDB\r\n[Outra]\r\nDatabase=errado\r\n");
    EXPECT_EQ(LeIni(ini, "ORBEL", "Database"), QString("C:\\x=y\\ORBEL.GDB"));
    EXPECT_EQ(LeIni(ini, "ORBEL", "Backup"), QString());
    EXPECT_EQ(LeIni(ini, "Nenhuma", "Database"), QString());
}

TEST(IniFile, WritesInPlaceAddsKeysAndSectionsInWindows1252WithCrLf)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("ORBEL.ini");
    grava(ini, "[ORBEL]\r\nDatabase=a.gdb\r\n\r\n[Ativos]\r\nUltimo=x\r\n");
    GravaIni(ini, "orbel", "database", "b.gdb");
    GravaIni(ini, "ORBEL", "Backup", "C:\\Cópias\\BKP.zip");
    GravaIni(ini, "Retornos", "Ultimo", "RT.zip");

    EXPECT_EQ(LeIni(ini, "ORBEL", "Database"), QString("b.gdb"));
    EXPECT_EQ(LeIni(ini, "ORBEL", "Backup"), QString("C:\\Cópias\\BKP.zip"));
    EXPECT_EQ(LeIni(ini, "Ativos", "Ultimo"), QString("x"));
    EXPECT_EQ(LeIni(ini, "Retornos", "Ultimo"), QString("RT.zip"));

    const QByteArray bytes = conteudo(ini);
    EXPECT_TRUE(bytes.contains("C:\\C\xF3pias")); // ó as one Windows-1252 byte
    EXPECT_FALSE(bytes.contains("\n\n"));         // every line ends in CR LF
    EXPECT_EQ(bytes.count("Database="), 1);
    // the new key stays inside its own section
    EXPECT_LT(bytes.indexOf("Backup="), bytes.indexOf("[Ativos]"));
}

TEST(IniFile, TheProgramsOwnIniNamesItsDatabaseAndNothingElse)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("ORBEL.ini");
    grava(ini, "[ORBEL]\r\nDatabase=velho\r\nOutra=1\r\n");
    CriaOrbelIni(ini, "C:\\Prefeitura\\bd\\ORBEL.GDB");
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(),
              QByteArray("[ORBEL]\r\nDatabase=C:\\Prefeitura\\bd\\ORBEL.GDB\r\nBackup=\r\nRestore=\r\n\r\n"
                         "[Ativos]\r\nUltimo=\r\n\r\n[Retornos]\r\nUltimo=\r\n"));
    EXPECT_THROW(CriaOrbelIni(dir.filePath("sem/pasta/ORBEL.ini"), "x"), OrbelError);
    EXPECT_FALSE(QFile::exists(dir.filePath("sem")));
}

TEST(Win1252, RoundTripsTheHighRangeAndReplacesTheUnrepresentable)
{
    const QString texto = QString::fromUtf8("São João — “aspas” € ção");
    EXPECT_EQ(Win1252::decode(Win1252::encode(texto)), texto);
    EXPECT_EQ(Win1252::encode(QString::fromUtf8("a\u4E2Db")), QByteArray("a?b"));
    EXPECT_EQ(Win1252::decode(QByteArray("\x80\xE7")), QString::fromUtf8("€ç"));
}
