#pragma once

#include "reports/engine/paginasrelatorio.h"

#include <QList>
#include <QRectF>

class QPainter;

// Paints one laid-out page into `area` (device pixels of the painter), scaling tenths of a
// millimetre to it; the painter's device resolution sizes the fonts.
void PintaPagina(QPainter &pintor, const PaginasRelatorio &paginas, int pagina, const QRectF &area);

// Writes the pages into a PDF file with the fonts embedded, replacing it only when complete.
// Several reports go into one file one after the other, each page keeping its orientation.
// Raises OrbelError naming the file when it cannot be written.
void GravaPdf(const PaginasRelatorio &paginas, const QString &arquivo);
void GravaPdf(const QList<const PaginasRelatorio *> &relatorios, const QString &arquivo);
