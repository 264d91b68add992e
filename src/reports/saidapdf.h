#pragma once

#include "reports/engine/paginasrelatorio.h"
#include "reports/layoutrelatorio.h"

#include <QList>

// Keeps the pages the preview would show, one report after the other (a report of several layouts
// gives several), for a PDF file of them all or their plain-text dump.
class SaidaPdf : public SaidaRelatorio
{
  public:
    void visualiza(LayoutRelatorio &layout) override;
    void imprime(LayoutRelatorio &layout) override { visualiza(layout); }

    const QList<PaginasRelatorio> &relatorios() const { return m_relatorios; }
    // Every report kept so far in one file; raises an error naming the file when it cannot be written.
    void grava(const QString &arquivo) const;
    QString despejo() const;

  private:
    QList<PaginasRelatorio> m_relatorios;
};
