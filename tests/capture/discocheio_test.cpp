#include "support/banco.h"

#include "support/executaorbel.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zip.h>

namespace
{
// A small file system of its own, where the superuser may mount one.
struct Tmpfs {
    QTemporaryDir ponto;
    bool montado = false;
    explicit Tmpfs(int megabytes)
    {
        montado = QProcess::execute("mount", {"-t", "tmpfs", "-o", QString("size=%1m").arg(megabytes),
                                              "tmpfs", ponto.path()}) == 0;
    }
    ~Tmpfs()
    {
        if (montado)
            QProcess::execute("umount", {"-l", ponto.path()});
    }
};

int orbel(const QStringList &argumentos, QString *erros = nullptr)
{
    const SaidaOrbel r = ExecutaOrbel(argumentos);
    if (erros)
        *erros = r.erros;
    EXPECT_TRUE(r.normal) << "crashed"; // no crash, whatever the code
    return r.status;
}

QByteArray bytes(const QString &p)
{
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint64 tamanhoDescompactado(const QString &zip)
{
    int erro = 0;
    zip_t *z = zip_open(QFile::encodeName(zip).constData(), ZIP_RDONLY, &erro);
    zip_stat_t st;
    zip_stat_init(&st);
    const qint64 n = z && zip_stat_index(z, 0, 0, &st) == 0 ? qint64(st.size) : 0;
    if (z)
        zip_close(z);
    return n;
}

// Rows of every table of the database, table by table.
QStringList contagens(const QString &banco)
{
    BancoDeTeste b(banco);
    QSqlQuery q(QSqlDatabase::database(b.nomeConexao()));
    EXPECT_TRUE(q.exec("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0 AND "
                       "RDB$VIEW_BLR IS NULL ORDER BY 1"));
    QStringList tabelas;
    while (q.next())
        tabelas << q.value(0).toString();
    QStringList l;
    for (const QString &t : tabelas)
        l << QString("%1: %2").arg(t).arg(b.conta(t));
    return l;
}
} // namespace

TEST(DiskFull, AReturnCaptureThatFillsTheDiskStopsInOrderAndChangesNothing)
{
    Tmpfs disco(24);
    if (!disco.montado)
        GTEST_SKIP() << "no tmpfs can be mounted here (needs the superuser)";
    QTemporaryDir arquivos; // the clerk's files, on another disk
    QProcess g;
    g.start(ORBEL_GERADOR,
            {"--out", arquivos.path(), "--municipios", "12", "--contribuintes", "300", "--seed", "7"});
    ASSERT_TRUE(g.waitForFinished(120000));
    const QString at = arquivos.filePath("AT0024.zip"), rt = arquivos.filePath("RT0024.zip");
    const QString home = disco.ponto.path() + "/home";
    ASSERT_EQ(orbel({"setup", "--home", home, "--base-year", "2023"}), 0);
    ASSERT_EQ(orbel({"--home", home, "capture", "--yes", at}), 0);
    {
        QFile log(home + "/LogORBEL.txt");
        ASSERT_TRUE(log.open(QIODevice::Append));
        log.write("entrada anterior\r\n");
    }
    const QByteArray ini = bytes(home + "/ORBEL.ini"), log = bytes(home + "/LogORBEL.txt");
    const QStringList antes = contagens(home + "/bd/ORBEL.GDB");

    // room for the unpacked text and a little more: the import fills the disk
    const qint64 livre = QStorageInfo(home).bytesAvailable();
    const qint64 sobra = tamanhoDescompactado(rt) + 2 * 1024 * 1024;
    ASSERT_GT(livre, sobra);
    {
        QFile enche(disco.ponto.path() + "/enche");
        ASSERT_TRUE(enche.open(QIODevice::WriteOnly));
        const QByteArray bloco(1 << 20, 'x'); // tmpfs counts only written pages
        for (qint64 feito = 0; feito + bloco.size() <= livre - sobra; feito += bloco.size())
            enche.write(bloco);
    }
    QString erros;
    EXPECT_EQ(orbel({"--home", home, "capture", "--yes", rt}, &erros), 1);
    EXPECT_TRUE(erros.contains("Não foi possível gravar no banco de dados: disco cheio na pasta " +
                               QDir::toNativeSeparators(home + "/bd")))
        << erros.right(600).toStdString();
    EXPECT_TRUE(erros.contains("o banco de dados não foi alterado")) << erros.right(600).toStdString();
    EXPECT_FALSE(erros.contains("Gerando resumo")); // nothing more went to the database
    EXPECT_EQ(bytes(home + "/ORBEL.ini"), ini);
    const QByteArray logDepois = bytes(home + "/LogORBEL.txt");
    EXPECT_TRUE(logDepois.startsWith(log) && logDepois.endsWith("\r\n"))
        << logDepois.right(300).toStdString();

    // with the space back the database is as it was, and the same file captures whole
    QFile::remove(disco.ponto.path() + "/enche");
    EXPECT_EQ(contagens(home + "/bd/ORBEL.GDB"), antes);
    EXPECT_EQ(orbel({"--home", home, "capture", "--yes", rt}), 0);
}
