#include "reports/widgets/saidajanela.h"

#include "reports/engine/widgets/visualizarelatorio.h"
#include "shell/userinterface.h"

#include <QApplication>

void SaidaJanela::visualiza(LayoutRelatorio &layout)
{
    const PaginasRelatorio paginas = layout.monta();
    m_ui.aguarde(QString());
    VisualizaRelatorio(paginas, QApplication::activeWindow());
}

void SaidaJanela::imprime(LayoutRelatorio &layout)
{
    ImprimeRelatorio(layout.monta());
}
