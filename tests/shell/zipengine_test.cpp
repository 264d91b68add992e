#include "shell/orbelerror.h"
#include "shell/zipengine.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zip.h>

namespace
{
void grava(const QString &p, const QByteArray &b)
{
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(b);
}
QByteArray le(const QString &p)
{
    QFile f(p);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
// An archive with entries stored under the given names, made directly with libzip.
void arquivoCom(const QString &zipPath, const QList<QPair<QByteArray, QByteArray>> &entradas)
{
    int erro = 0;
    zip_t *z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
    for (const auto &e : entradas) {
        auto *copia = new QByteArray(e.second);
        zip_source_t *s = zip_source_buffer(z, copia->constData(), copia->size(), 0);
        zip_file_add(z, e.first.constData(), s, ZIP_FL_OVERWRITE);
    }
    ASSERT_EQ(zip_close(z), 0) << zip_strerror(z);
    ASSERT_TRUE(QFile::exists(zipPath)) << "libzip wrote no archive";
}
} // namespace

TEST(ZipEngine, RoundTripReplacesSameNameAndKeepsOthers)
{
    QTemporaryDir dir;
    QByteArray grande(5 * 1024 * 1024, Qt::Uninitialized);
    for (char &c : grande)
        c = char(QRandomGenerator::global()->bounded(256));
    grava(dir.filePath("in/ORBEL.GDB"), grande);
    grava(dir.filePath("in/outro.txt"), "primeiro");
    ZipEngine zip;
    qint64 ultimoProgresso = 0;
    zip.aoProgresso = [&](qint64 b) { ultimoProgresso = b; };
    const QString arquivo = dir.filePath("bkp/BKPORBEL2023.zip");
    zip.adiciona(arquivo, dir.filePath("in/ORBEL.GDB"));
    zip.adiciona(arquivo, dir.filePath("in/outro.txt"));
    grava(dir.filePath("in/outro.txt"), "segundo");
    zip.adiciona(arquivo, dir.filePath("in/outro.txt"));
    EXPECT_EQ(zip.conta(arquivo), 2);

    grava(dir.filePath("out/outro.txt"), "velho");
    EXPECT_EQ(zip.extrai(arquivo, dir.filePath("out")), 2);
    EXPECT_EQ(le(dir.filePath("out/ORBEL.GDB")), grande);
    EXPECT_EQ(le(dir.filePath("out/outro.txt")), QByteArray("segundo"));
    EXPECT_EQ(ultimoProgresso, 7); // bytes of the last file extracted
}

TEST(ZipEngine, StoredFoldersAreDroppedAndCannotEscape)
{
    QTemporaryDir dir;
    const QString arquivo = dir.filePath("RT0019924.zip");
    arquivoCom(arquivo, {{"pasta/sub/RT0019924.txt", "linhas"}, {"../fora.txt", "x"}, {"pasta/", ""}});
    ZipEngine zip;
    EXPECT_EQ(zip.extrai(arquivo, dir.filePath("temp")), 2);
    EXPECT_EQ(le(dir.filePath("temp/RT0019924.txt")), QByteArray("linhas"));
    EXPECT_TRUE(QFile::exists(dir.filePath("temp/fora.txt")));
    EXPECT_FALSE(QFile::exists(dir.filePath("fora.txt")));
}

TEST(ZipEngine, BrokenArchivesFailCleanly)
{
    QTemporaryDir dir;
    ZipEngine zip;
    QStringList mensagens;
    zip.aoMensagem = [&](int, const QString &t) { mensagens << t; };

    grava(dir.filePath("texto.zip"), "isto não é um zip");
    EXPECT_EQ(zip.conta(dir.filePath("texto.zip")), 0);
    try {
        zip.extrai(dir.filePath("texto.zip"), dir.filePath("o"));
        ADD_FAILURE() << "a text file was taken for an archive";
    } catch (const OrbelError &e) {
        // the clerk's words come first; the library's own text only in brackets
        EXPECT_TRUE(e.message().contains(QStringLiteral("não é um arquivo compactado (zip) (")))
            << e.message().toStdString();
    }
    grava(dir.filePath("vazio.zip"), "");
    EXPECT_EQ(zip.conta(dir.filePath("vazio.zip")), 0);
    EXPECT_EQ(zip.conta(dir.filePath("naoexiste.zip")), 0);
    EXPECT_FALSE(mensagens.isEmpty());

    QByteArray conteudo(200000, 'A');
    arquivoCom(dir.filePath("inteiro.zip"), {{"a.txt", conteudo}});
    const QByteArray bytes = le(dir.filePath("inteiro.zip"));
    grava(dir.filePath("cortado.zip"), bytes.left(bytes.size() / 2));
    EXPECT_EQ(zip.conta(dir.filePath("cortado.zip")), 0);
    EXPECT_THROW(zip.extrai(dir.filePath("cortado.zip"), dir.filePath("c")), OrbelError);
    EXPECT_FALSE(QFile::exists(dir.filePath("c/a.txt")));

    // libzip writes no file for an archive without entries: this one is the bare end record
    grava(dir.filePath("semnada.zip"), QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    mensagens.clear();
    EXPECT_EQ(zip.conta(dir.filePath("semnada.zip")), 0);
    EXPECT_TRUE(mensagens.isEmpty()) << mensagens.join(' ').toStdString();
    EXPECT_EQ(zip.extrai(dir.filePath("semnada.zip"), dir.filePath("n")), 0);
}
