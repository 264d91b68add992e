#include "data/tdmprincipal.h"
#include "maintenance/esvaziabase.h"
#include "maintenance/widgets/frmlimpezabase.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <QRadioButton>
#include <gtest/gtest.h>

namespace
{
const QStringList kRetorno = {"DECLARACOES",       "HISTORICO",    "DEC_VAF",
                              "MUNIC_INDICES",     "MUNIC_RESUMO", "MUNIC_TOTAIS",
                              "MUNIC_VAFA",        "MUNIC_VAFB",   "DEC_TOTAL_SN",
                              "VAF_MUDANCA_MUNIC", "DEC_SIMEI",    "DEC_DET_TRANSF_MERC_INFRACAO",
                              "DEC_DET_AMBULANTES"};
void preenche(BancoDeTeste &b)
{
    b.executa("INSERT INTO ATIVOS (IE) VALUES ('1')");
    b.executa("INSERT INTO DECLARACOES (DEC_ID) VALUES (1)");
    b.executa("INSERT INTO HISTORICO (HISTORICO_ID, DEC_ID) VALUES (1, 1)");
    b.executa("INSERT INTO DEC_VAF (DEC_ID) VALUES (1)");
    b.executa("INSERT INTO MUNIC_INDICES (INDICE_CODIGO, MUNIC_CODIGO) VALUES ('P', '001')");
    b.executa("INSERT INTO MUNIC_RESUMO (MUNIC_CODIGO) VALUES ('001')");
    b.executa("INSERT INTO MUNIC_TOTAIS (MUNIC_CODIGO) VALUES ('001')");
    b.executa("INSERT INTO MUNIC_VAFA (MUNIC_CODIGO) VALUES ('001')");
    b.executa("INSERT INTO MUNIC_VAFB (MUNIC_ORIGEM) VALUES ('001')");
    b.executa("INSERT INTO DEC_TOTAL_SN (DEC_ID) VALUES (1)");
    b.executa("INSERT INTO VAF_MUDANCA_MUNIC (VMM_IE) VALUES ('1')");
    b.executa("INSERT INTO DEC_SIMEI (IE) VALUES ('1')");
    b.executa("INSERT INTO DEC_DET_TRANSF_MERC_INFRACAO (DEC_ID) VALUES (1)");
    b.executa("INSERT INTO DEC_DET_AMBULANTES (DEC_ID) VALUES (1)");
}
int restantes(BancoDeTeste &b)
{
    int n = 0;
    for (const QString &t : kRetorno)
        n += b.conta(t);
    return n;
}
} // namespace

TEST(DatabaseCleanUp, EachOptionEmptiesExactlyItsTables)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    BancoDeTeste b(home.banco());
    preenche(b);

    EsvaziaBase(dm, "A");
    EXPECT_EQ(b.conta("ATIVOS"), 0);
    EXPECT_EQ(restantes(b), kRetorno.size());
    EXPECT_TRUE(ui.aguardes().contains("Limpando base de dados..."));
    EXPECT_TRUE(ui.aguardeAtual().isEmpty());

    b.executa("INSERT INTO ATIVOS (IE) VALUES ('2')");
    EsvaziaBase(dm, "R");
    EXPECT_EQ(b.conta("ATIVOS"), 1);
    EXPECT_EQ(restantes(b), 0);
    // reconnected: the lookup sets are read again and still filled
    EXPECT_TRUE(dm.conectado());
    EXPECT_EQ(dm.cdsMunicipios.recordCount(), 50);
    EXPECT_GT(dm.cdsRegimes.recordCount(), 0);

    preenche(b);
    EsvaziaBase(dm, "T");
    EXPECT_EQ(b.conta("ATIVOS") + restantes(b), 0);
}

TEST(DatabaseCleanUp, ARefusedDeleteRollsEverythingBackAndTheWindowAsksFirst)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    BancoDeTeste b(home.banco());
    preenche(b);
    b.executa("CREATE EXCEPTION E_SIMEI 'simei protegido'");
    b.executa("CREATE TRIGGER T_SIMEI FOR DEC_SIMEI BEFORE DELETE AS BEGIN EXCEPTION E_SIMEI; END");
    try {
        EsvaziaBase(dm, "T");
        FAIL() << "expected the delete to be refused";
    } catch (const OrbelError &e) {
        EXPECT_TRUE(e.message().startsWith("Erro ao esvaziar a base de dados: \r\n"));
        EXPECT_TRUE(e.message().contains("simei protegido"));
    }
    EXPECT_EQ(b.conta("ATIVOS"), 1);
    EXPECT_EQ(restantes(b), kRetorno.size());

    TfrmLimpezaBase w(dm);
    EXPECT_EQ(w.windowTitle(), QString("Parâmetro para limpeza da base"));
    EXPECT_TRUE(w.rbTodos->isChecked());
    ui.limpa();
    ui.enfileira(UserInterface::Nao);
    w.btnOKClick();
    ASSERT_EQ(ui.mensagens().size(), 1);
    EXPECT_EQ(ui.mensagens()[0].titulo, QString("Limpar base de dados"));
    EXPECT_TRUE(ui.mensagens()[0].texto.startsWith("ATENÇÃO: Todos os dados da base serão perdidos.\r\n"));
    EXPECT_EQ(b.conta("ATIVOS"), 1);

    b.executa("DROP TRIGGER T_SIMEI");
    w.rbAtivos->setChecked(true);
    ui.enfileira(UserInterface::Sim);
    w.btnOKClick();
    EXPECT_EQ(b.conta("ATIVOS"), 0);
    EXPECT_EQ(restantes(b), kRetorno.size());
}
