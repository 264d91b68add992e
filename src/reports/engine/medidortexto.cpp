#include "reports/engine/medidortexto.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <cmath>
#include <memory>
#include <vector>

QFont FonteQt(const Fonte &fonte)
{
    QFont f(fonte.familia);
    f.setPointSizeF(fonte.pontos);
    f.setBold(fonte.negrito);
    f.setItalic(fonte.italico);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

QStringList MedidorTexto::quebra(const QString &texto, const Fonte &fonte, int largura) const
{
    QStringList r;
    const QStringList paragrafos =
        QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    for (const QString &paragrafo : paragrafos) {
        QString linha;
        const QStringList palavras = paragrafo.split(u' ');
        for (QString palavra : palavras) {
            const QString tentativa = linha.isEmpty() ? palavra : linha + u' ' + palavra;
            if (linha.isEmpty() || largura <= 0 || this->largura(tentativa, fonte) <= largura) {
                linha = tentativa;
            } else {
                r << linha;
                linha = palavra;
            }
            // a word wider than the whole line is cut where it no longer fits
            while (largura > 0 && linha.size() > 1 && this->largura(linha, fonte) > largura) {
                int n = int(linha.size()) - 1;
                while (n > 1 && this->largura(linha.left(n), fonte) > largura)
                    --n;
                r << linha.left(n);
                linha = linha.mid(n);
            }
        }
        r << linha;
    }
    return r;
}

namespace
{

constexpr double Dpi = 1200; // the resolution PDFs and printers are painted at

struct Metricas {
    Fonte fonte;
    std::unique_ptr<QFontMetricsF> fm;
};

const QFontMetricsF &metricas(const Fonte &fonte)
{
    static QImage dispositivo = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(qRound(Dpi / 0.0254));
        i.setDotsPerMeterY(qRound(Dpi / 0.0254));
        return i;
    }();
    static std::vector<Metricas> cache;
    for (const Metricas &m : cache)
        if (m.fonte == fonte)
            return *m.fm;
    cache.push_back({fonte, std::make_unique<QFontMetricsF>(FonteQt(fonte), &dispositivo)});
    return *cache.back().fm;
}

int paraDecimos(double pixels)
{
    return int(std::ceil(pixels * 254.0 / Dpi));
}

} // namespace

int MedidorFonte::largura(const QString &texto, const Fonte &fonte) const
{
    return paraDecimos(metricas(fonte).horizontalAdvance(texto));
}

int MedidorFonte::alturaLinha(const Fonte &fonte) const
{
    return paraDecimos(metricas(fonte).lineSpacing());
}
