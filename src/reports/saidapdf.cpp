#include "reports/saidapdf.h"

#include "reports/engine/pintarelatorio.h"

void SaidaPdf::visualiza(LayoutRelatorio &layout)
{
    m_relatorios.append(layout.monta());
}

void SaidaPdf::grava(const QString &arquivo) const
{
    QList<const PaginasRelatorio *> todos;
    for (const PaginasRelatorio &p : m_relatorios)
        todos << &p;
    GravaPdf(todos, arquivo);
}

QString SaidaPdf::despejo() const
{
    QString texto;
    for (const PaginasRelatorio &p : m_relatorios)
        texto += Despejo(p);
    return texto;
}
