#include "capture/geraresumo.h"
#include "data/tdmprincipal.h"
#include "shell/scriptedui.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <gtest/gtest.h>

namespace
{
void ativo(BancoDeTeste &b, const QString &ie, const QString &munic)
{
    b.executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO) VALUES (?, ?)", {ie, munic});
}
void declaracao(BancoDeTeste &b, int id, const QString &ie, const QString &munic, const QVariant &situacao)
{
    b.executa("INSERT INTO DECLARACOES (DEC_ID, DEC_IE, MUNIC_CODIGO, DEC_SITUACAO) VALUES (?, ?, ?, ?)",
              {id, ie, munic, situacao});
}
QVariantList resumo(BancoDeTeste &b, const QString &munic)
{
    QVariantList r;
    for (const char *c : {"ATIVOS", "ACEITOS", "RECUSADOS", "OMISSOS"})
        r << b.valor(QString("SELECT %1 FROM MUNIC_RESUMO WHERE MUNIC_CODIGO = ?").arg(c), {munic});
    return r;
}
} // namespace

TEST(MunicipalSummary, CountsOmittedAndKeepsWhatAPassDoesNotMention)
{
    auto home = TempHome::seeded();
    BancoDeTeste b(home.banco());
    for (int i = 0; i < 10; ++i)
        ativo(b, QString("001%1").arg(i), "001");
    for (int i = 0; i < 6; ++i)
        declaracao(b, i + 1, QString("001%1").arg(i), "001", "E");
    for (int i = 6; i < 9; ++i)
        declaracao(b, i + 1, QString("001%1").arg(i), "001", "R");
    declaracao(b, 20, "0019", "001",
               QVariant(QMetaType(QMetaType::QString))); // no situation: counted nowhere
    // a municipality refused twice before, with none now, keeps its count
    ativo(b, "0021", "002");
    b.executa("INSERT INTO MUNIC_RESUMO (MUNIC_CODIGO, ATIVOS, ACEITOS, RECUSADOS, OMISSOS) VALUES ('002', "
              "5, 0, 2, 3)");
    // taxpayers of a municipality unknown to MUNICIPIOS are not counted
    ativo(b, "9991", "999");

    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    ui.limpa(); // the first-start upgrade box
    GeraResumo(dm);

    EXPECT_EQ(resumo(b, "001"), (QVariantList{10, 6, 3, 1}));
    EXPECT_EQ(resumo(b, "002"), (QVariantList{1, 0, 2, -1}));
    EXPECT_EQ(b.conta("MUNIC_RESUMO", "MUNIC_CODIGO = '999'"), 0);
    EXPECT_TRUE(ui.mensagens().isEmpty()) << ui.mensagens().value(0).texto.toStdString();
    EXPECT_EQ(dm.cdsMunic_Resumo.recordCount(), 2);
}

TEST(MunicipalSummary, ADatabaseErrorIsShownWithItsPrefixAndTheNextPassStillRuns)
{
    auto home = TempHome::seeded();
    BancoDeTeste b(home.banco());
    ativo(b, "1", "003");
    declaracao(b, 1, "1", "003", "E");
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    ui.limpa();
    // MUNIC_RESUMO refuses writes: every pass fails on its first post
    b.executa("CREATE EXCEPTION E_RESUMO 'resumo bloqueado'");
    b.executa("CREATE TRIGGER T_RESUMO FOR MUNIC_RESUMO BEFORE INSERT AS BEGIN EXCEPTION E_RESUMO; END");
    GeraResumo(dm);
    ASSERT_EQ(ui.mensagens().size(), 2); // the ATIVOS and ACEITOS passes; RECUSADOS has no row
    EXPECT_TRUE(ui.mensagens()[0].texto.startsWith(
        "Erro na geração de valores do resumo.\r\nRetorno do banco :\r\n"));
    EXPECT_TRUE(ui.mensagens()[0].texto.contains("resumo bloqueado"));
}
