#include "data/clientdataset.h"
#include "data/tdmprincipal.h"
#include "data/widgets/datasetmodel.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <gtest/gtest.h>

namespace
{
struct Base {
    TempHome home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm{ui};
    std::unique_ptr<BancoDeTeste> b;
    Base()
    {
        dm.Inicia();
        b = std::make_unique<BancoDeTeste>(home.banco());
        for (int i = 1; i <= 5; ++i)
            b->executa("INSERT INTO DECLARACOES (DEC_ID, DEC_IE, DEC_NOME, MUNIC_CODIGO, DEC_ENTREGA_DATA) "
                       "VALUES (?, ?, ?, ?, ?)",
                       {i, QString("IE%1").arg(6 - i), QString::fromUtf8("NOME Ç %1").arg(i),
                        i % 2 ? "001" : "002", QDate(2024, 3, i)});
        b->executa("INSERT INTO HISTORICO (HISTORICO_ID, DEC_ID, HIST_ERROS) VALUES (1, 2, 'A')");
        b->executa("INSERT INTO HISTORICO (HISTORICO_ID, DEC_ID, HIST_ERROS) VALUES (2, 2, 'B')");
        b->executa("INSERT INTO HISTORICO (HISTORICO_ID, DEC_ID, HIST_ERROS) VALUES (1, 3, 'C')");
    }
};
} // namespace

TEST(InMemoryDataset, NavigatesFiltersSortsAndLocates)
{
    Base t;
    ClientDataSet ds("cdsTeste");
    ds.setCommandText(
        "SELECT DEC_ID, DEC_IE, DEC_NOME, MUNIC_CODIGO, DEC_ENTREGA_DATA FROM DECLARACOES ORDER BY DEC_ID");
    ds.addCampoCalculado("Dobro", QMetaType::Int, 0,
                         [](const ClientDataSet &d, int l) { return d.valor(l, "DEC_ID").toInt() * 2; });
    ds.open(t.dm.MainConnection());
    EXPECT_EQ(ds.recordCount(), 5);
    EXPECT_EQ(ds.nomesCampos().last(), QString("Dobro"));
    int n = 0;
    for (ds.first(); !ds.eof(); ds.next())
        ++n;
    EXPECT_EQ(n, 5);
    EXPECT_EQ(ds.recNo(), 4); // eof stays on the last row
    EXPECT_EQ(ds.valor("Dobro").toInt(), 10);
    EXPECT_EQ(ds.texto("DEC_NOME"), QString::fromUtf8("NOME Ç 5"));
    EXPECT_EQ(ds.valor("DEC_ENTREGA_DATA").toDate(), QDate(2024, 3, 5));

    ds.setFiltro(
        [](const ClientDataSet &d, int l) { return d.valor(l, "MUNIC_CODIGO").toString() == "001"; });
    EXPECT_EQ(ds.recordCount(), 3);
    ds.setIndexFieldNames("DEC_IE");
    EXPECT_EQ(ds.valor(0, "DEC_IE").toString(), QString("IE1"));
    EXPECT_TRUE(ds.locate({"DEC_IE"}, {"IE3"}));
    EXPECT_EQ(ds.valor("DEC_ID").toInt(), 3);
    EXPECT_FALSE(ds.locate({"DEC_IE"}, {"ie3"})); // exact and case-sensitive
    EXPECT_THROW(ds.valor("NAOEXISTE"), OrbelError);

    ClientDataSet ruim("cdsRuim");
    ruim.setCommandText("SELECT NADA FROM DECLARACOES");
    try {
        ruim.open(t.dm.MainConnection());
        FAIL();
    } catch (const OrbelError &e) {
        EXPECT_TRUE(e.message().contains("NADA"));
    }
}

TEST(InMemoryDataset, DetailFollowsItsMasterAndPacketsArriveOnDemand)
{
    Base t;
    ClientDataSet mestre("cdsMestre"), detalhe("cdsDetalhe");
    mestre.setCommandText("SELECT DEC_ID FROM DECLARACOES ORDER BY DEC_ID");
    mestre.setPacketRecords(2);
    int buscas = 0;
    mestre.setAoBuscarPacote([&](bool antes) { buscas += antes; });
    detalhe.setCommandText("SELECT * FROM HISTORICO ORDER BY HISTORICO_ID");
    detalhe.setMestre(&mestre, {"DEC_ID"}, {"DEC_ID"});
    detalhe.open(t.dm.MainConnection());
    EXPECT_EQ(detalhe.recordCount(), 0); // master closed
    mestre.open(t.dm.MainConnection());
    EXPECT_EQ(mestre.recordCount(), 2);
    EXPECT_FALSE(mestre.tudoLido());
    EXPECT_EQ(detalhe.recordCount(), 0); // declaration 1 has no history
    mestre.next();
    EXPECT_EQ(detalhe.recordCount(), 2);
    mestre.next(); // fetches the next packet
    EXPECT_EQ(mestre.valor("DEC_ID").toInt(), 3);
    EXPECT_EQ(detalhe.recordCount(), 1);
    EXPECT_EQ(detalhe.texto("HIST_ERROS"), QString("C"));
    mestre.last();
    EXPECT_EQ(mestre.recordCount(), 5);
    EXPECT_GE(buscas, 3);
}

TEST(InMemoryDataset, LocalChangesAreSentBackBound)
{
    Base t;
    ClientDataSet ds("cdsVafB");
    ds.setCommandText("SELECT VAFB_INDICE, MUNIC_ORIGEM, MUNIC_DESTINO, VAFB_VALOR FROM MUNIC_VAFB");
    ds.setTabelaAtualizacao("MUNIC_VAFB"); // no key: rows are found by all their old values
    ds.open(t.dm.MainConnection());
    ds.append();
    ds.setValor("VAFB_INDICE", "P");
    ds.setValor("MUNIC_ORIGEM", "0'1");
    ds.setValor("VAFB_VALOR", 10.5);
    ds.post();
    ds.applyUpdates(t.dm.MainConnection());
    EXPECT_EQ(t.b->conta("MUNIC_VAFB", "MUNIC_ORIGEM = '0''1' AND MUNIC_DESTINO IS NULL"), 1);
    ds.edit();
    ds.setValor("VAFB_VALOR", 11.0);
    ds.post();
    ds.applyUpdates(t.dm.MainConnection());
    EXPECT_DOUBLE_EQ(t.b->valor("SELECT VAFB_VALOR FROM MUNIC_VAFB").toDouble(), 11.0);
    ds.deleteRecord();
    EXPECT_TRUE(ds.temAlteracoes());
    ds.applyUpdates(t.dm.MainConnection());
    EXPECT_EQ(t.b->conta("MUNIC_VAFB"), 0);
    EXPECT_FALSE(ds.temAlteracoes());

    // a refused change raises with the server's text and stays pending
    ClientDataSet resumo("cdsResumo");
    resumo.setCommandText("SELECT MUNIC_CODIGO, ATIVOS FROM MUNIC_RESUMO");
    resumo.setTabelaAtualizacao("MUNIC_RESUMO", {"MUNIC_CODIGO"});
    resumo.open(t.dm.MainConnection());
    for (int i = 0; i < 2; ++i) { // the same key twice
        resumo.append();
        resumo.setValor("MUNIC_CODIGO", "001");
        resumo.post();
    }
    EXPECT_THROW(resumo.applyUpdates(t.dm.MainConnection()), OrbelError);
    EXPECT_TRUE(resumo.temAlteracoes());
    EXPECT_EQ(t.b->conta("MUNIC_RESUMO"), 1); // the first went through
}

TEST(InMemoryDataset, GridModelShowsLabelsAndPtBrTexts)
{
    Base t;
    ClientDataSet ds("cdsGrade");
    ds.setCommandText("SELECT DEC_IE, DEC_ENTREGA_DATA, DEC_ID FROM DECLARACOES ORDER BY DEC_ID");
    ds.setRotulo("DEC_IE", "Inscrição Estadual");
    ds.setVisivel("DEC_ID", false);
    DataSetModel m(ds);
    EXPECT_EQ(m.rowCount(), 0);
    ds.open(t.dm.MainConnection());
    EXPECT_EQ(m.rowCount(), 5);
    EXPECT_EQ(m.columnCount(), 2);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), QString("Inscrição Estadual"));
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), QString("01/03/2024"));
}
