#include "reports/engine/pintarelatorio.h"

#include "reports/engine/medidortexto.h"
#include "shell/gravacaosegura.h"
#include "shell/orbelerror.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

void PintaPagina(QPainter &pintor, const PaginasRelatorio &paginas, int pagina, const QRectF &area)
{
    if (pagina < 0 || pagina >= paginas.quantidade() || paginas.tamanho.isEmpty())
        return;
    const double sx = area.width() / paginas.tamanho.width();
    const double sy = area.height() / paginas.tamanho.height();
    const double dpi = pintor.device() ? pintor.device()->logicalDpiY() : 72;
    auto mapeia = [&](const QRect &r) {
        return QRectF(area.x() + r.x() * sx, area.y() + r.y() * sy, r.width() * sx, r.height() * sy);
    };

    // fonts sized in tenths of a millimetre, whatever the device's resolution
    QVector<QFont> fontes;
    for (const Fonte &f : paginas.fontes) {
        QFont q = FonteQt(f);
        q.setPointSizeF(f.pontos * sy * 254.0 / dpi);
        fontes.append(q);
    }
    const MedidorFonte medidor;

    pintor.save();
    pintor.setPen(Qt::black);
    pintor.setBrush(Qt::NoBrush);
    int fonteAtual = -1;
    for (const ItemPagina &i : paginas.paginas[pagina]) {
        const QRectF r = mapeia(i.caixa);
        switch (i.tipo) {
        case ItemPagina::Tipo::Regua:
            pintor.fillRect(r, Qt::black);
            break;
        case ItemPagina::Tipo::Retangulo: {
            QPen caneta(Qt::black);
            caneta.setWidthF(i.texto.toDouble() * 10 * sy);
            pintor.setPen(caneta);
            pintor.drawRect(r);
            pintor.setPen(Qt::black);
            break;
        }
        case ItemPagina::Tipo::Texto: {
            if (i.fonte != fonteAtual && i.fonte < fontes.size()) {
                pintor.setFont(fontes[i.fonte]);
                fonteAtual = i.fonte;
            }
            const int flags = int(i.alinhamento) | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine;
            const QFontMetricsF fm(pintor.font(), pintor.device());
            const QStringList linhas = i.texto.split(u'\n');
            const double passo = medidor.alturaLinha(paginas.fontes.value(i.fonte)) * sy;
            for (int l = 0; l < linhas.size(); ++l) {
                const QRectF rl(r.x(), r.y() + l * passo, r.width(), passo);
                // a text wider than its box is cut at the box, as on the screen of the layout
                const bool corta = fm.horizontalAdvance(linhas[l]) > r.width() + 0.5;
                if (corta) {
                    pintor.save();
                    pintor.setClipRect(rl.adjusted(0, -passo, 0, passo));
                }
                pintor.drawText(rl, flags, linhas[l]);
                if (corta)
                    pintor.restore();
            }
            break;
        }
        }
    }
    pintor.restore();
}

void GravaPdf(const PaginasRelatorio &paginas, const QString &arquivo)
{
    GravaPdf(QList<const PaginasRelatorio *>{&paginas}, arquivo);
}

namespace
{

QPageLayout leiaute(const PaginasRelatorio &p)
{
    return QPageLayout(QPageSize(QPageSize::A4), p.paisagem ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

} // namespace

void GravaPdf(const QList<const PaginasRelatorio *> &relatorios, const QString &arquivo)
{
    const QString erro = QStringLiteral("Não foi possível gravar o arquivo PDF %1.").arg(arquivo);
    QSaveFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly))
        throw OrbelError(erro + QStringLiteral("\r\n") + f.errorString());
    {
        QPdfWriter pdf(&f);
        pdf.setCreator(QStringLiteral("ORBEL"));
        pdf.setResolution(1200);
        const PaginasRelatorio *primeiro = nullptr;
        for (const PaginasRelatorio *r : relatorios)
            if (r && r->quantidade() > 0) {
                primeiro = r;
                break;
            }
        if (primeiro) {
            pdf.setTitle(primeiro->titulo);
            pdf.setPageLayout(leiaute(*primeiro));
        }
        QPainter pintor;
        if (!pintor.begin(&pdf))
            throw OrbelError(erro);
        bool primeira = true;
        for (const PaginasRelatorio *r : relatorios) {
            if (!r)
                continue;
            for (int p = 0; p < r->quantidade(); ++p) {
                if (!primeira) {
                    pdf.setPageLayout(leiaute(*r));
                    if (!pdf.newPage())
                        throw OrbelError(erro);
                }
                primeira = false;
                PintaPagina(pintor, *r, p, QRectF(0, 0, pdf.width(), pdf.height()));
            }
        }
        pintor.end();
    }
    if (!ConcluiGravacao(f))
        throw OrbelError(erro + QStringLiteral("\r\n") + f.errorString());
}
