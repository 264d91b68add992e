#include "shell/avisos.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{
QList<Aviso> le(const QByteArray &conteudo)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("Msgs.dat"));
    f.open(QIODevice::WriteOnly);
    f.write(conteudo);
    f.close();
    return LeAvisos(f.fileName());
}
MedidasAvisos medidas(int altura)
{
    MedidasAvisos m;
    m.alturaJanela = altura;
    m.larguraJanela = 1000;
    m.baseBanner = 100;
    m.margem = 200;
    m.alturaLetra = 16;
    return m;
}
} // namespace

TEST(Notices, FileLinesBecomeNoticesByTheirFirstCharacter)
{
    auto a = le("1Aviso em destaque\r\n\r\n0Aviso antigo\n");
    ASSERT_EQ(a.size(), 2);
    EXPECT_TRUE(a[0].habilitado);
    EXPECT_EQ(a[0].texto, QString("Aviso em destaque"));
    EXPECT_FALSE(a[1].habilitado);
    EXPECT_EQ(a[1].texto, QString("Aviso antigo"));

    a = le("1\r\nXtexto com letra\r\n1 Promo\xE7\xE3o  \r\n");
    ASSERT_EQ(a.size(), 3);
    EXPECT_TRUE(a[0].habilitado);
    EXPECT_TRUE(a[0].texto.isEmpty());
    EXPECT_FALSE(a[1].habilitado);
    EXPECT_EQ(a[1].texto, QString("texto com letra"));
    EXPECT_EQ(a[2].texto, QString::fromUtf8(" Promoção  ")); // taken unchanged
    EXPECT_TRUE(LeAvisos("/nao/existe/Msgs.dat").isEmpty());
}

TEST(Notices, PlacementWrapsLongTextsAndStopsWhenTheWindowIsFull)
{
    const auto largura = [](const QString &t) { return t.startsWith("longo") ? 1000 : 100; };
    QList<Aviso> avisos = {{true, "curto"}, {true, "longo"}, {false, "curto"}};
    auto p = PosicionaAvisos(avisos, medidas(800), largura);
    ASSERT_EQ(p.size(), 3);
    EXPECT_EQ(p[0].figura.topLeft(), QPoint(208, 120));
    EXPECT_EQ(p[0].rotulo, QRect(226, 120, 1000 - 226 - 50, 28));
    EXPECT_EQ(p[1].rotulo.top(), 120 + 16 + 20);
    EXPECT_EQ(p[1].rotulo.height(), 56); // a text wider than the room doubles the label
    EXPECT_EQ(p[2].rotulo.top(), 156 + 2 * 16 + 20);

    // window height 400: tops beyond 200 are not shown, nor anything after them
    QList<Aviso> muitos(8, Aviso{true, "curto"});
    p = PosicionaAvisos(muitos, medidas(400), largura);
    int visiveis = 0;
    for (const auto &x : p)
        visiveis += x.visivel;
    EXPECT_EQ(visiveis, 3); // tops 120, 156, 192; 228 > 200
    EXPECT_FALSE(p.last().visivel);
}
