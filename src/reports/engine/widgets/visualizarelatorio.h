#pragma once

#include "reports/engine/paginasrelatorio.h"

class QPrinter;
class QWidget;

// Qt's print preview in a maximised window (paging, zoom, printing from it) over pages laid out
// once; zooming only repaints them. Returns when the window closes.
void VisualizaRelatorio(const PaginasRelatorio &paginas, QWidget *pai = nullptr);

// Prints on the default printer without asking. Raises OrbelError with a message for the clerk
// when there is no printer or printing fails.
void ImprimeRelatorio(const PaginasRelatorio &paginas);
// The same on a given printer (its page layout is set from the report).
void ImprimeRelatorio(const PaginasRelatorio &paginas, QPrinter &impressora);
