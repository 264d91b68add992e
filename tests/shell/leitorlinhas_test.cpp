#include "shell/leitorlinhas.h"
#include "shell/orbelerror.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{
QStringList leTudo(const QString &arquivo)
{
    LeitorLinhas leitor(arquivo);
    QStringList linhas;
    QString l;
    while (leitor.proxima(l))
        linhas << l;
    return linhas;
}
} // namespace

TEST(LineReader, LinesOfAnyLengthAcrossBlocksKeepTheirEndsAndTheirCodePage)
{
    QTemporaryDir d;
    const QString arquivo = d.filePath("t.txt");
    QByteArray conteudo;
    conteudo += "primeira\r\n";
    conteudo += QByteArray(10 * 1024 * 1024, 'x') + "\r\n"; // one line over several read blocks
    conteudo += "\r\n";
    conteudo += "S\xc3O JO\xc3O\r\n"; // Windows-1252
    conteudo +=
        QByteArray((1 << 20) - conteudo.size() % (1 << 20) - 1, 'y') + "\n"; // ends exactly at a block end
    conteudo += "sem fim de linha";
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
    f.close();

    const QStringList l = leTudo(arquivo);
    ASSERT_EQ(l.size(), 6);
    EXPECT_EQ(l[0], QString("primeira\r\n"));
    EXPECT_EQ(l[1].size(), 10 * 1024 * 1024 + 2);
    EXPECT_EQ(l[2], QString("\r\n"));
    EXPECT_EQ(l[3], QString::fromUtf8("SÃO JOÃO\r\n"));
    EXPECT_TRUE(l[4].endsWith(u"y\n"));
    EXPECT_EQ(l[5], QString("sem fim de linha"));
    EXPECT_EQ(l.join(QString()).size(), conteudo.size());
}

TEST(LineReader, EmptyAndMissingFiles)
{
    QTemporaryDir d;
    QFile f(d.filePath("vazio.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(leTudo(d.filePath("vazio.txt")).isEmpty());
    EXPECT_THROW(LeitorLinhas(d.filePath("nao-existe.txt")), OrbelError);
}

TEST(LineReader, CrLfLfAndCrAloneEndLinesAndAByteOrderMarkIsDropped)
{
    QTemporaryDir d;
    auto grava = [&](const QByteArray &conteudo) {
        QFile f(d.filePath("t.txt"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
        f.close();
        return d.filePath("t.txt");
    };
    EXPECT_EQ(leTudo(grava("a\r\nb\nc\rd")), (QStringList{"a\r\n", "b\n", "c\r", "d"}));
    // a CR LF split across two read blocks is one line end; CR-only lines over many blocks
    QByteArray longo = QByteArray((1 << 20) - 1, 'x') + "\r\nfim\r";
    for (int i = 0; i < 300000; ++i)
        longo += "linha\r";
    const QStringList l = leTudo(grava(longo));
    ASSERT_EQ(l.size(), 300002);
    EXPECT_EQ(l[0].size(), (1 << 20) + 1);
    EXPECT_EQ(l[1], QString("fim\r"));
    EXPECT_EQ(l.last(), QString("linha\r"));

    // a UTF-8 byte-order mark: dropped, and the file read as the UTF-8 it announces
    LeitorLinhas leitor(grava("\xEF\xBB\xBF"
                              "0A001 S\xC3\x83O\r\n01001\r\n"));
    QString linha;
    ASSERT_TRUE(leitor.proxima(linha));
    EXPECT_EQ(linha, QString::fromUtf8("0A001 SÃO\r\n"));
    ASSERT_TRUE(leitor.proxima(linha));
    EXPECT_EQ(leitor.numeroLinha(), 2);
    EXPECT_FALSE(leitor.proxima(linha));
    EXPECT_TRUE(leTudo(grava("\xEF\xBB\xBF")).isEmpty());
}
