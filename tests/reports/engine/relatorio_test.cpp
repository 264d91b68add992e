#include "reports/engine/medidortexto.h"
#include "reports/engine/relatorio.h"

#include <gtest/gtest.h>

#include <optional>

namespace
{

// The texts a band placed, page by page, in order.
QStringList textos(const PaginasRelatorio &p, int pagina, const QString &banda = {})
{
    QStringList r;
    for (const ItemPagina &i : p.paginas[pagina])
        if (i.tipo == ItemPagina::Tipo::Texto && (banda.isEmpty() || p.bandas[i.banda] == banda))
            r << i.texto;
    return r;
}

std::optional<ItemPagina> item(const PaginasRelatorio &p, int pagina, const QString &texto)
{
    for (const ItemPagina &i : p.paginas[pagina])
        if (i.texto == texto)
            return i;
    return std::nullopt;
}

CursorMemoria linhas(int n)
{
    QVector<QVariantList> v;
    for (int i = 1; i <= n; ++i)
        v.append({QString::number(i), double(i) * 1000});
    return CursorMemoria({"IE", "VAF"}, v);
}

const MedidorFixo medidor; // 1.5 mm a letter, 3.5 mm a line

} // namespace

TEST(ReportLayout, BandsGoToExactRectanglesAndBreakWithoutSplitting)
{
    CursorMemoria dados = linhas(100);
    Relatorio rel("Lista");
    rel.cabecalhoPagina().rotulo({0, 0, 50, 5}, "Cabeçalho");
    rel.titulo().rotulo({0, 0, 50, 10}, "Título");
    rel.cabecalhoColunas().rotulo({0, 0, 30, 4}, "IE");
    rel.detalhe().campo({0, 0, 30, 4}, "IE");
    rel.detalhe().campo({150, 0, 40, 4}, "VAF", "###,###,###,##0").setAlinhamento(Qt::AlignRight);
    rel.setCursor(&dados);
    const PaginasRelatorio p = rel.monta(medidor);

    ASSERT_EQ(p.quantidade(), 2);
    EXPECT_EQ(p.tamanho, QSize(2100, 2970));
    // 10 mm margins; the title only on the first page, below the page header
    EXPECT_EQ(item(p, 0, "Cabeçalho")->caixa, QRect(100, 100, 500, 50));
    EXPECT_EQ(item(p, 0, "Título")->caixa, QRect(100, 150, 500, 100));
    EXPECT_EQ(item(p, 0, "IE")->caixa, QRect(100, 250, 300, 40));
    EXPECT_EQ(item(p, 0, "1")->caixa, QRect(100, 290, 300, 40));
    EXPECT_EQ(item(p, 0, "1.000")->caixa, QRect(1600, 290, 400, 40));
    EXPECT_EQ(item(p, 0, "1.000")->alinhamento, quint16(Qt::AlignRight));
    // rows of 4 mm from 29 mm down to 282 mm (5 mm are kept for the page number): 63 rows
    EXPECT_EQ(item(p, 0, "63")->caixa.bottom() + 1, 2810);
    EXPECT_EQ(item(p, 0, "64"), std::nullopt);
    EXPECT_EQ(item(p, 1, "Título"), std::nullopt);
    EXPECT_EQ(item(p, 1, "IE")->caixa, QRect(100, 150, 300, 40));
    EXPECT_EQ(item(p, 1, "64")->caixa, QRect(100, 190, 300, 40));
    EXPECT_EQ(textos(p, 1, "detalhe").size(), 2 * 37);
    // the foot of every page
    EXPECT_EQ(textos(p, 0, "rodape_pagina"), QStringList{"Página 1 de 2"});
    EXPECT_EQ(item(p, 1, "Página 2 de 2")->caixa, QRect(100, 2830, 1900, 40));

    rel.setOrientacao(Relatorio::Orientacao::Paisagem);
    const PaginasRelatorio l = rel.monta(medidor);
    EXPECT_EQ(l.tamanho, QSize(2970, 2100));
    EXPECT_TRUE(l.paisagem);
    EXPECT_EQ(rel.larguraUtil(), 277.0);
    EXPECT_EQ(l.quantidade(), 3);
}

TEST(ReportLayout, EmptyDataStillPrintsHeadersAndSummary)
{
    CursorMemoria dados({"IE"}, {});
    Relatorio rel;
    rel.cabecalhoPagina().texto({0, 0, 50, 5}, [&] { return "Município: " + rel.texto("MUNIC_NOME"); });
    rel.adicionaGrupo("IE").cabecalho().rotulo({0, 0, 30, 4}, "grupo");
    rel.detalhe().campo({0, 0, 30, 4}, "IE");
    rel.sumario().rotulo({0, 0, 30, 4}, "Total:");
    rel.sumario().contagem({30, 0, 10, 4});
    rel.setCursor(&dados);
    const PaginasRelatorio p = rel.monta(medidor);
    ASSERT_EQ(p.quantidade(), 1);
    EXPECT_EQ(textos(p, 0), (QStringList{"Município: ", "Total:", "0", "Página 1 de 1"}));

    Relatorio semDados; // no cursor at all: one page with its foot
    EXPECT_EQ(semDados.monta(medidor).quantidade(), 1);
}

TEST(ReportLayout, SummaryOnAPageOfItsOwnStillSeesTheLastRow)
{
    CursorMemoria dados = linhas(66); // fills the first page
    Relatorio rel;
    rel.cabecalhoPagina().texto({0, 0, 50, 5}, [&] { return "Última IE: " + rel.texto("IE"); });
    rel.detalhe().campo({0, 0, 30, 4}, "IE");
    rel.sumario().texto({0, 0, 30, 4}, [&] { return "fim " + rel.texto("IE"); });
    rel.setCursor(&dados);
    const PaginasRelatorio p = rel.monta(medidor);
    ASSERT_EQ(p.quantidade(), 2);
    EXPECT_EQ(textos(p, 1), (QStringList{"Última IE: 66", "fim 66", "Página 2 de 2"}));
}

TEST(ReportLayout, GroupsOpenAndCloseByLookAheadWithTheirCountsAndSums)
{
    CursorMemoria dados({"RESP", "CNAE", "SUB", "VAF"}, {
                                                            {"Ana", "01", "1", 10.0},
                                                            {"Ana", "01", "1", -4.0},
                                                            {"Ana", "01", "2", 5.0},
                                                            {"Bia", "01", "2", 7.0},
                                                            {"Bia", "02", "2", QVariant()},
                                                        });
    Relatorio rel;
    Grupo &resp = rel.adicionaGrupo("RESP");
    Grupo &cnae = rel.adicionaGrupo(QStringList{"CNAE", "SUB"});
    resp.cabecalho().campo({0, 0, 30, 4}, "RESP");
    cnae.cabecalho().texto({0, 0, 30, 4}, [&] { return rel.texto("CNAE") + "-" + rel.texto("SUB"); });
    rel.detalhe().campo({0, 0, 30, 4}, "VAF", "###,###,###,##0");
    cnae.rodape().contagem({0, 0, 10, 4}, &cnae).setNome("n");
    cnae.rodape().soma({10, 0, 10, 4}, "VAF", &cnae, "0");
    resp.rodape().contagem({0, 0, 10, 4}, &resp, "'R' 0");
    resp.rodape().soma({10, 0, 10, 4}, "VAF", &resp, "0");
    rel.sumario().contagem({0, 0, 10, 4}, nullptr, "'T' 0");
    rel.sumario().soma({10, 0, 10, 4}, "VAF", nullptr, "0");
    rel.setCursor(&dados);
    const PaginasRelatorio p = rel.monta(medidor);

    EXPECT_EQ(textos(p, 0).mid(0, textos(p, 0).size() - 1),
              (QStringList{"Ana",  "01-1", "10", "-4",  "2",   "6",  // inner footer before the inner change
                           "01-2", "5",    "1",  "5",   "R 3", "11", // both close when the outer one changes
                           "Bia",  "01-2", "7",  "1",   "7",         // same inner value, new outer group
                           "02-2", "1",    "0",  "R 2", "7",   "T 5", "18"}));
}

TEST(ReportLayout, SuppressedRowsAreNeitherPrintedNorCountedAndPassesStartAgain)
{
    CursorMemoria dados = linhas(6);
    Relatorio rel;
    double positivos = 0;
    int iniciados = 0;
    Elemento *total = nullptr;
    rel.aoIniciar([&] {
        positivos = 0;
        ++iniciados;
    });
    rel.detalhe().campo({0, 0, 30, 4}, "IE");
    rel.detalhe().contagem({40, 0, 10, 4});
    // even rows are left out; the others are printed with a changed text
    rel.detalhe().antesDeImprimir([&] { return rel.valor("IE").toInt() % 2 == 1; });
    Elemento &vaf = rel.detalhe().campo({60, 0, 30, 4}, "VAF");
    rel.detalhe().antesDeImprimir([&] {
        vaf.setValor(rel.valor("VAF").toDouble() / 1000, "0.0");
        return true;
    });
    rel.detalhe().depoisDeImprimir([&] { positivos += rel.valor("VAF").toDouble(); });
    total = &rel.sumario().rotulo({0, 0, 30, 4}, {});
    rel.sumario().antesDeImprimir([&] {
        total->setValor(positivos, "###,###,###,##0");
        return true;
    });
    rel.sumario().contagem({40, 0, 10, 4});
    rel.setCursor(&dados);

    const QStringList esperado{"1", "1", "1,0", "3",     "2", "3,0",
                               "5", "3", "5,0", "9.000", "3", "Página 1 de 1"};
    EXPECT_EQ(textos(rel.monta(medidor), 0), esperado);
    // printing from the preview lays the report out again: the totals restart
    EXPECT_EQ(textos(rel.monta(medidor), 0), esperado);
    EXPECT_EQ(iniciados, 2);
    EXPECT_EQ(rel.contagem(), 0); // outside a pass
}

TEST(ReportLayout, RepeatedGroupHeaderKeepsRunningTotals)
{
    CursorMemoria dados = linhas(80);
    Relatorio rel;
    Grupo &todos = rel.adicionaGrupo("todos", [](const LinhaRelatorio &) { return QVariant(1); });
    todos.setRepeteCabecalho();
    int zerados = 0;
    todos.cabecalho().rotulo({0, 0, 30, 4}, "Colunas");
    todos.cabecalho().depoisDeImprimir([&] { ++zerados; });
    rel.detalhe().campo({0, 0, 30, 4}, "IE");
    todos.rodape().soma({0, 0, 30, 4}, "VAF", &todos, "0");
    rel.setCursor(&dados);
    const PaginasRelatorio p = rel.monta(medidor);

    ASSERT_EQ(p.quantidade(), 2);
    EXPECT_EQ(textos(p, 1).first(), QString("Colunas"));
    EXPECT_EQ(item(p, 1, "Colunas")->caixa.y(), 100);
    EXPECT_EQ(zerados, 1); // the header's after-print ran once, not again on page 2
    EXPECT_TRUE(item(p, 1, "3240000"));
}

TEST(ReportLayout, MultiLineTextGrowsItsBandAndPageHeaderSeesTheRowAboutToPrint)
{
    CursorMemoria dados({"NOME", "MUN"},
                        {{"curto", "A"}, {"uma razão social longa demais", "A"}, {"x", "B"}});
    Relatorio rel;
    rel.cabecalhoPagina().texto({0, 0, 50, 5}, [&] { return "Município: " + rel.texto("MUN"); });
    rel.detalhe().campo({10, 1, 15, 3.5}, "NOME").setQuebraLinhas();
    rel.detalhe().setAltura(5);
    rel.detalhe().regua(0, 4.8, 190);
    rel.setCursor(&dados);
    const PaginasRelatorio p = rel.monta(medidor);

    EXPECT_EQ(item(p, 0, "Município: A")->caixa.y(), 100);
    EXPECT_EQ(item(p, 0, "curto")->caixa, QRect(200, 160, 150, 35));
    // ten letters a line: four lines of 3.5 mm, so the band is 1 + 14 + 0.5 mm high
    const auto longo = item(p, 0, "uma razão\nsocial\nlonga\ndemais");
    ASSERT_TRUE(longo);
    EXPECT_EQ(longo->caixa, QRect(200, 210, 150, 140));
    EXPECT_EQ(item(p, 0, "x")->caixa.y(), 200 + 155 + 10);

    QStringList r;
    for (const ItemPagina &i : p.paginas[0])
        if (i.tipo == ItemPagina::Tipo::Regua)
            r << QString::number(i.caixa.y());
    EXPECT_EQ(r, (QStringList{"198", "248", "403"})); // rules keep their place in the band
}

TEST(ReportLayout, DumpNamesPageBandKindRectangleAndText)
{
    CursorMemoria dados({"IE"}, {{"1\"2"}});
    Relatorio rel("Relação");
    rel.detalhe().campo({0, 0, 30, 4}, "IE").setAlinhamento(Qt::AlignRight);
    rel.detalhe().regua(0, 4, 190);
    rel.setCursor(&dados);
    EXPECT_EQ(Despejo(rel.monta(medidor)),
              QString("relatório \"Relação\" A4 retrato 1 páginas\n"
                      "página 1\n"
                      "  detalhe texto 10.0 10.0 30.0 4.0 D \"1\\\"2\"\n"
                      "  detalhe regua 10.0 14.0 190.0 0.2\n"
                      "  rodape_pagina texto 10.0 283.0 190.0 4.0 D \"Página 1 de 1\"\n"));
}
