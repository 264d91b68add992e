#include "app/setupcommand.h"
#include "shell/inifile.h"
#include "support/banco.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{
struct Resultado {
    int status;
    QString saida, erros;
};
// Headless commands need neither a display nor a platform plugin named.
Resultado orbel(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    p.setProcessEnvironment(env);
    p.start(ORBEL_EXECUTABLE, args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

TEST(SetupCommand, LaysOutAHomeWithItsDatabaseAndRefusesToReplaceIt)
{
    QTemporaryDir dir;
    const QString home = dir.filePath("nova/pasta"); // may not exist yet
    Resultado r = orbel({"setup", "--home", home, "--base-year", "2021"});
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
        EXPECT_EQ(b.conta("ERROS"), 16);
        EXPECT_EQ(b.conta("CAMPOS", "RETORNO BETWEEN '018' AND '028' AND TABELA_DESTINO = 'DEC_DRO'"), 11);
        EXPECT_GT(b.conta("MUNICIPIOS", "CHAR_LENGTH(MUNIC_NOME) > 30"), 0);
        EXPECT_EQ(b.valor("SELECT RDB$CHARACTER_SET_NAME FROM RDB$DATABASE").toString().trimmed(),
                  QString("WIN1252"));
        b.executa("INSERT INTO PARAMETROS (CAMPO, VALOR) VALUES ('MARCA', 'x')");
    }

    r = orbel({"setup", "--home", home});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.erros.contains("--force")) << r.erros.toStdString();
    EXPECT_EQ(BancoDeTeste(banco).conta("PARAMETROS", "CAMPO = 'MARCA'"), 1);

    r = orbel({"setup", "--home", home, "--force"});
    ASSERT_EQ(r.status, 0) << r.erros.toStdString();
    EXPECT_EQ(BancoDeTeste(banco).conta("PARAMETROS", "CAMPO = 'MARCA'"), 0);
}
