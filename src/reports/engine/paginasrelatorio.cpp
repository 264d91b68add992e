#include "reports/engine/paginasrelatorio.h"

namespace
{

QString mm(int decimos)
{
    return QString::number(decimos / 10.0, 'f', 1);
}

QString entreAspas(QString t)
{
    t.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'"', QStringLiteral("\\\""))
        .replace(u'\n', QStringLiteral("\\n"));
    return u'"' + t + u'"';
}

} // namespace

ItemPagina PaginaRelatorio::item(int i) const
{
    const Compacto &c = m_itens[i];
    ItemPagina r;
    r.tipo = ItemPagina::Tipo(c.tipo);
    r.fonte = c.fonte;
    r.alinhamento = c.alinhamento;
    r.banda = c.banda;
    r.caixa = QRect(c.x, c.y, c.largura, c.altura);
    r.texto = m_textos.mid(qsizetype(c.inicio), c.tamanho);
    return r;
}

void PaginaRelatorio::acrescenta(const ItemPagina &item)
{
    // a page is under 3 m and a text of one item under 64 K characters
    const QString texto = item.texto.left(0xFFFF);
    m_itens.append(Compacto{qint16(item.caixa.x()), qint16(item.caixa.y()), qint16(item.caixa.width()),
                            qint16(item.caixa.height()), item.banda, item.alinhamento, quint8(item.tipo),
                            item.fonte, quint16(texto.size()), quint32(m_textos.size())});
    m_textos += texto;
}

QString Despejo(const PaginasRelatorio &paginas)
{
    QString r;
    r += QStringLiteral("relatório %1 A4 %2 %3 páginas\n")
             .arg(entreAspas(paginas.titulo),
                  paginas.paisagem ? QStringLiteral("paisagem") : QStringLiteral("retrato"))
             .arg(paginas.quantidade());
    for (int p = 0; p < paginas.quantidade(); ++p) {
        r += QStringLiteral("página %1\n").arg(p + 1);
        for (const ItemPagina &i : paginas.paginas[p]) {
            r += QStringLiteral("  ") + paginas.bandas.value(i.banda) + u' ';
            switch (i.tipo) {
            case ItemPagina::Tipo::Texto:
                r += QStringLiteral("texto");
                break;
            case ItemPagina::Tipo::Regua:
                r += QStringLiteral("regua");
                break;
            case ItemPagina::Tipo::Retangulo:
                r += QStringLiteral("retangulo");
                break;
            }
            r += u' ' + mm(i.caixa.x()) + u' ' + mm(i.caixa.y()) + u' ' + mm(i.caixa.width()) + u' ' +
                 mm(i.caixa.height());
            if (i.tipo == ItemPagina::Tipo::Texto) {
                const auto a = Qt::Alignment(i.alinhamento);
                r += a & Qt::AlignRight     ? QStringLiteral(" D ")
                     : a & Qt::AlignHCenter ? QStringLiteral(" C ")
                                            : QStringLiteral(" E ");
                r += entreAspas(i.texto);
            }
            r += u'\n';
        }
    }
    return r;
}
