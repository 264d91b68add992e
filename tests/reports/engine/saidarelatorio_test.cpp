#include "reports/engine/pintarelatorio.h"
#include "reports/engine/relatorio.h"
#include "reports/engine/widgets/visualizarelatorio.h"
#include "shell/orbelerror.h"

#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{

PaginasRelatorio exemplo(Relatorio::Orientacao orientacao, int linhas, const QString &titulo)
{
    QVector<QVariantList> v;
    for (int i = 0; i < linhas; ++i)
        v.append({QStringLiteral("Razão social %1").arg(i), 1234.5 * i});
    CursorMemoria dados({"NOME", "VAF"}, v);
    Relatorio rel(titulo);
    rel.setOrientacao(orientacao);
    rel.cabecalhoPagina().rotulo({0, 0, 120, 5}, "Secretaria de Estado da Fazenda de Vesperia").setNegrito();
    rel.detalhe().campo({0, 0, 80, 4}, "NOME");
    rel.detalhe().campo({150, 0, 40, 4}, "VAF", "###,###,###,##0").setAlinhamento(Qt::AlignRight);
    rel.setCursor(&dados);
    return rel.monta();
}

int paginasDoPdf(const QByteArray &pdf)
{
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ") +
               pdf.count("/Type /Page/") + pdf.count("/Type /Page>"));
}

} // namespace

TEST(ReportOutput, PdfHoldsEveryReportWithEmbeddedFonts)
{
    QTemporaryDir dir;
    const PaginasRelatorio um = exemplo(Relatorio::Orientacao::Retrato, 100, "Um");
    const PaginasRelatorio dois = exemplo(Relatorio::Orientacao::Paisagem, 10, "Dois");
    ASSERT_EQ(um.quantidade(), 2);
    const QString arquivo = dir.filePath("relatorio.pdf");
    GravaPdf({&um, &dois}, arquivo);

    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(paginasDoPdf(pdf), 3);
    EXPECT_TRUE(pdf.contains("/FontFile2")); // TrueType embedded, prints the same anywhere
    EXPECT_TRUE(pdf.contains("DejaVuSans"));

    // a folder that does not exist: a message naming the file, and nothing half-written
    const QString ruim = dir.filePath("nao/existe.pdf");
    try {
        GravaPdf(um, ruim);
        ADD_FAILURE();
    } catch (const OrbelError &e) {
        EXPECT_TRUE(e.message().contains(ruim)) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(ruim));
}

TEST(ReportOutput, PrinterGetsEveryPageAndPreviewOpensMaximised)
{
    QTemporaryDir dir;
    const PaginasRelatorio p = exemplo(Relatorio::Orientacao::Paisagem, 60, "Relação de teste");
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(dir.filePath("impresso.pdf"));
    ImprimeRelatorio(p, impressora);
    QFile f(dir.filePath("impresso.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(paginasDoPdf(f.readAll()), p.quantidade());
    EXPECT_EQ(impressora.pageLayout().orientation(), QPageLayout::Landscape);

    bool visto = false;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QPrintPreviewDialog *>(w); d && d->isVisible()) {
                visto = true;
                EXPECT_EQ(d->windowTitle(), QString("Relação de teste"));
                EXPECT_TRUE(d->windowState() & Qt::WindowMaximized);
                d->reject();
            }
    });
    VisualizaRelatorio(p);
    EXPECT_TRUE(visto);
}
