#include "shell/widgets/figuras.h"

#include "shell/figurasavisos.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace
{
const QColor kAzul(0x1f, 0x4e, 0x8c);
const QColor kVerde(0x2e, 0x8b, 0x57);
const QColor kVermelho(0xc0, 0x39, 0x2b);
const QColor kOuro(0xe0, 0xa8, 0x2e);

QPixmap tela(int l, int a)
{
    QPixmap p(l, a);
    p.fill(Qt::transparent);
    return p;
}
} // namespace

namespace Figuras
{

QPixmap logo(int lado)
{
    QPixmap p = tela(lado, lado);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal u = lado / 100.0;
    // the town hall on the left, the rising added value beside it
    g.setPen(Qt::NoPen);
    g.setBrush(kAzul);
    QPolygonF telhado;
    telhado << QPointF(6 * u, 34 * u) << QPointF(34 * u, 14 * u) << QPointF(62 * u, 34 * u);
    g.drawPolygon(telhado);
    g.drawRect(QRectF(9 * u, 36 * u, 50 * u, 5 * u));
    g.setBrush(QColor(0xc9, 0xd8, 0xec));
    for (int i = 0; i < 4; ++i)
        g.drawRect(QRectF((13 + i * 12) * u, 43 * u, 6 * u, 31 * u));
    g.setBrush(kAzul);
    g.drawRect(QRectF(7 * u, 75 * u, 54 * u, 4 * u));
    g.drawRect(QRectF(3 * u, 80 * u, 94 * u, 4 * u));
    const QColor barras[] = {kVerde, kOuro, kVermelho};
    for (int i = 0; i < 3; ++i) {
        g.setBrush(barras[i]);
        const qreal h = (14 + i * 12) * u;
        g.drawRoundedRect(QRectF((66 + i * 10.5) * u, 79 * u - h, 8 * u, h), 1.5 * u, 1.5 * u);
    }
    g.setPen(QPen(kVermelho, 2.5 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(Qt::NoBrush);
    QPolygonF tendencia;
    tendencia << QPointF(63 * u, 54 * u) << QPointF(72 * u, 44 * u) << QPointF(81 * u, 47 * u)
              << QPointF(92 * u, 24 * u);
    g.drawPolyline(tendencia);
    g.setPen(Qt::NoPen);
    g.setBrush(kVermelho);
    QPolygonF ponta;
    ponta << QPointF(96 * u, 15 * u) << QPointF(96.5 * u, 27 * u) << QPointF(87.5 * u, 22 * u);
    g.drawPolygon(ponta);
    QFont fonte(QStringLiteral("DejaVu Sans"));
    fonte.setPixelSize(std::max(8, int(15 * u)));
    fonte.setBold(true);
    fonte.setLetterSpacing(QFont::PercentageSpacing, 110);
    g.setFont(fonte);
    g.setPen(kAzul);
    g.drawText(QRectF(0, 85 * u, 100 * u, 15 * u), Qt::AlignCenter, QStringLiteral("ORBEL"));
    return p;
}

QPixmap bannerAvisos(int largura, int altura)
{
    QPixmap p = tela(largura, altura);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QLinearGradient grad(0, 0, largura, 0);
    grad.setColorAt(0, kAzul);
    grad.setColorAt(1, QColor(0x6f, 0x9c, 0xd6));
    g.setPen(Qt::NoPen);
    g.setBrush(grad);
    g.drawRoundedRect(QRectF(0, 0, largura, altura), 8, 8);
    g.setBrush(kOuro);
    g.drawEllipse(QRectF(12, altura / 2.0 - 12, 24, 24));
    g.setPen(QPen(Qt::white, 3));
    g.drawLine(QPointF(24, altura / 2.0 - 6), QPointF(24, altura / 2.0 + 2));
    g.drawPoint(QPointF(24, altura / 2.0 + 7));
    g.setPen(Qt::white);
    g.setFont(QFont(QStringLiteral("DejaVu Sans"), 16, QFont::Bold));
    g.drawText(QRectF(48, 0, largura - 56, altura), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Avisos"));
    return p;
}

QIcon iconePrograma()
{
    return QIcon(logo(64));
}

QIcon icone(const QString &nome, int lado)
{
    QPixmap p = tela(lado, lado);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal u = lado / 40.0;
    g.setPen(Qt::NoPen);
    if (nome == QLatin1String("ativos")) {
        // two taxpayers, one behind the other
        g.setBrush(QColor(0x6f, 0x9c, 0xd6));
        g.drawEllipse(QRectF(21 * u, 5 * u, 12 * u, 12 * u));
        g.drawRoundedRect(QRectF(16 * u, 19 * u, 22 * u, 15 * u), 6 * u, 6 * u);
        g.setBrush(kAzul);
        g.drawEllipse(QRectF(8 * u, 9 * u, 13 * u, 13 * u));
        g.drawRoundedRect(QRectF(2 * u, 24 * u, 25 * u, 13 * u), 6 * u, 6 * u);
        g.setBrush(kVerde);
        g.drawEllipse(QRectF(27 * u, 25 * u, 12 * u, 12 * u));
        g.setPen(QPen(Qt::white, 2 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.drawPolyline(QPolygonF() << QPointF(30 * u, 31 * u) << QPointF(32.5 * u, 33.5 * u)
                                   << QPointF(36 * u, 28.5 * u));
    } else if (nome == QLatin1String("declaracoes")) {
        g.setBrush(Qt::white);
        g.setPen(QPen(kAzul, 2 * u));
        g.drawRect(QRectF(8 * u, 4 * u, 24 * u, 32 * u));
        for (int i = 0; i < 4; ++i)
            g.drawLine(QPointF(12 * u, (12 + i * 6) * u), QPointF(28 * u, (12 + i * 6) * u));
    } else if (nome == QLatin1String("capturar")) {
        g.setBrush(kVerde);
        QPolygonF seta;
        seta << QPointF(15 * u, 4 * u) << QPointF(25 * u, 4 * u) << QPointF(25 * u, 18 * u)
             << QPointF(32 * u, 18 * u) << QPointF(20 * u, 30 * u) << QPointF(8 * u, 18 * u)
             << QPointF(15 * u, 18 * u);
        g.drawPolygon(seta);
        g.setBrush(kAzul);
        g.drawRect(QRectF(5 * u, 32 * u, 30 * u, 4 * u));
    } else if (nome == QLatin1String("relatorios")) {
        g.setBrush(kAzul);
        g.drawRect(QRectF(6 * u, 34 * u, 28 * u, 2 * u));
        const QColor c[] = {kVerde, kOuro, kVermelho};
        for (int i = 0; i < 3; ++i) {
            g.setBrush(c[i]);
            const qreal h = (10 + i * 8) * u;
            g.drawRect(QRectF((9 + i * 9) * u, 33 * u - h, 6 * u, h));
        }
    } else if (nome == QLatin1String("ajuda")) {
        g.setBrush(kAzul);
        g.drawEllipse(QRectF(4 * u, 4 * u, 32 * u, 32 * u));
        g.setPen(Qt::white);
        g.setFont(QFont(QStringLiteral("DejaVu Sans"), int(18 * u), QFont::Bold));
        g.drawText(QRectF(4 * u, 4 * u, 32 * u, 32 * u), Qt::AlignCenter, QStringLiteral("?"));
    } else if (nome == QLatin1String("sair")) {
        g.setBrush(QColor(0x8a, 0x5a, 0x2b));
        g.drawRect(QRectF(6 * u, 4 * u, 18 * u, 32 * u));
        g.setBrush(kVermelho);
        QPolygonF seta;
        seta << QPointF(18 * u, 16 * u) << QPointF(28 * u, 16 * u) << QPointF(28 * u, 10 * u)
             << QPointF(38 * u, 20 * u) << QPointF(28 * u, 30 * u) << QPointF(28 * u, 24 * u)
             << QPointF(18 * u, 24 * u);
        g.drawPolygon(seta);
    } else {
        g.setBrush(kOuro);
        g.drawRoundedRect(QRectF(4 * u, 10 * u, 32 * u, 24 * u), 3 * u, 3 * u);
        g.drawRect(QRectF(4 * u, 7 * u, 14 * u, 5 * u));
    }
    return QIcon(p);
}

QPixmap marcadorAviso(bool habilitado)
{
    return QPixmap::fromImage(MarcadorAviso(habilitado));
}

} // namespace Figuras
