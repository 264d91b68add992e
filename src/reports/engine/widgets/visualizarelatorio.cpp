#include "reports/engine/widgets/visualizarelatorio.h"

#include "reports/engine/pintarelatorio.h"
#include "shell/orbelerror.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace
{

void preparaImpressora(QPrinter &impressora, const PaginasRelatorio &paginas)
{
    impressora.setFullPage(true);
    impressora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         paginas.paisagem ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
    if (!paginas.titulo.isEmpty())
        impressora.setDocName(paginas.titulo);
}

// Paints every page; false when the device refused a page.
bool pinta(QPainter &pintor, QPrinter &impressora, const PaginasRelatorio &paginas)
{
    const QRectF area(QPointF(0, 0), impressora.paperRect(QPrinter::DevicePixel).size());
    for (int p = 0; p < paginas.quantidade(); ++p) {
        if (p > 0 && !impressora.newPage())
            return false;
        PintaPagina(pintor, paginas, p, area);
    }
    return true;
}

} // namespace

void VisualizaRelatorio(const PaginasRelatorio &paginas, QWidget *pai)
{
    QPrinter impressora(QPrinter::HighResolution);
    preparaImpressora(impressora, paginas);
    QPrintPreviewDialog janela(&impressora, pai);
    if (!paginas.titulo.isEmpty())
        janela.setWindowTitle(paginas.titulo);
    QObject::connect(&janela, &QPrintPreviewDialog::paintRequested, &janela, [&paginas](QPrinter *destino) {
        QPainter pintor;
        if (pintor.begin(destino))
            pinta(pintor, *destino, paginas);
    });
    janela.setWindowState(janela.windowState() | Qt::WindowMaximized);
    janela.exec();
}

void ImprimeRelatorio(const PaginasRelatorio &paginas)
{
    const QPrinterInfo padrao = QPrinterInfo::defaultPrinter();
    if (padrao.isNull())
        throw OrbelError(QStringLiteral("Nenhuma impressora padrão está definida.\r\n"
                                        "Instale uma impressora ou escolha a impressora padrão do sistema "
                                        "e tente de novo."));
    QPrinter impressora(padrao, QPrinter::HighResolution);
    ImprimeRelatorio(paginas, impressora);
}

void ImprimeRelatorio(const PaginasRelatorio &paginas, QPrinter &impressora)
{
    preparaImpressora(impressora, paginas);
    const QString nome =
        impressora.printerName().isEmpty() ? impressora.outputFileName() : impressora.printerName();
    const QString erro = QStringLiteral("Não foi possível imprimir o relatório na impressora \"%1\".\r\n"
                                        "Verifique se ela está ligada e disponível e tente de novo.")
                             .arg(nome);
    QPainter pintor;
    if (!pintor.begin(&impressora))
        throw OrbelError(erro);
    const bool ok = pinta(pintor, impressora, paginas);
    pintor.end();
    if (!ok || impressora.printerState() == QPrinter::Error)
        throw OrbelError(erro);
}
