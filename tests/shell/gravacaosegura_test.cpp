#include "shell/configapp.h"
#include "shell/diretorios.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/zipengine.h"
#include "support/arquivosteste.h"
#include "support/temphome.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace
{
// Files of this process may not grow beyond `bytes` while it lives: a write past it fails as on a
// full disk (EFBIG instead of ENOSPC), with no file system to fill.
class LimiteDeTamanho
{
  public:
    explicit LimiteDeTamanho(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_antes);
        m_sinal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = m_antes;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~LimiteDeTamanho()
    {
        setrlimit(RLIMIT_FSIZE, &m_antes);
        std::signal(SIGXFSZ, m_sinal);
    }

  private:
    rlimit m_antes{};
    void (*m_sinal)(int);
};

QByteArray bytes(const QString &p)
{
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(SafeWrites, TheIniTheLogAndUnpackedFilesStayWholeWhenTheDiskRefusesAWrite)
{
    auto home = TempHome::vazio();
    const QString ini = DiretorioSistema() + "ORBEL.ini";
    CriaOrbelIni(ini, DiretorioSistema() + "bd/ORBEL.GDB");
    const QByteArray iniAntes = bytes(ini);
    const QString log = DiretorioSistema() + "LogORBEL.txt";
    {
        QFile f(log);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("linha antiga\r\n");
    }
    const QString zip = home.arquivo("RT0012324.zip");
    GravaZipCaptura(zip, {QString(3000, u'7')});
    QDir().mkpath(home.arquivo("saida"));
    TConfigApp config;

    LimiteDeTamanho limite(2048);
    // the INI is replaced whole or not at all: never an empty or cut file, no temporary file left
    EXPECT_THROW(GravaIniDireto(ini, "ORBEL", "Backup", QString(3000, u'x')), OrbelError);
    EXPECT_EQ(bytes(ini), iniAntes);
    EXPECT_EQ(QDir(DiretorioSistema()).entryList({"ORBEL.ini*"}, QDir::Files), QStringList{"ORBEL.ini"});
    GravaIniDireto(ini, "Retornos", "Ultimo", "RT0012324.zip"); // what fits is still written
    EXPECT_EQ(LeIniDireto(ini, "Retornos", "Ultimo"), QString("RT0012324.zip"));

    // a log entry that does not fit is raised and leaves no part of it behind
    EXPECT_THROW(config.GravaLog(QString(3000, u'y')), OrbelError);
    EXPECT_EQ(bytes(log), QByteArray("linha antiga\r\n"));
    config.GravaLog("cabe");
    EXPECT_EQ(bytes(log), QByteArray("linha antiga\r\ncabe\r\n"));
    // nor a new, empty log
    QFile::remove(log);
    EXPECT_THROW(config.GravaLog(QString(3000, u'y')), OrbelError);
    EXPECT_FALSE(QFile::exists(log));

    // an unpacked text that does not fit is not left behind, short, for the capture to read
    EXPECT_THROW(ZipEngine().extrai(zip, home.arquivo("saida")), std::exception);
    EXPECT_TRUE(QDir(home.arquivo("saida")).isEmpty(QDir::Files | QDir::Hidden));
}
