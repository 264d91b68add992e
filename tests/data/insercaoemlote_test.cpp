#include "data/insercaoemlote.h"
#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <gtest/gtest.h>

TEST(BulkInsert, TextNumbersAndDatesArriveAsTheServerWouldConvertThem)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    {
        TransacaoEmLote tx(dm.MainConnection(), 2);
        InsercaoEmLote ins(tx, "INSERT INTO ATIVOS (IE, NOMECOMER, VLADICANT, DATAFIM, MUNIC_CODIGO, CNPJ) "
                               "VALUES (:IE, :NOMECOMER, :VLADICANT, :DATAFIM, :MUNIC_CODIGO, :CNPJ)");
        EXPECT_EQ(ins.parametros(), 6);
        EXPECT_EQ(ins.indice("vladicant"), 2);
        for (int i = 0; i < 5; ++i) {
            ins.limpa();
            ins.setTexto("IE", QString::number(100 + i));
            ins.setTexto("NOMECOMER", QString::fromUtf8("AÇOUGUE SÃO JOÃO D'ÁGUA"));
            ins.setTexto("VLADICANT", "1234.5");
            ins.setData(ins.indice("DATAFIM"), QDate(2023, 12, 31));
            ins.setTextoOuNulo("MUNIC_CODIGO", "");
            ins.setTexto("CNPJ", "");
            ins.executa();
        }
        EXPECT_EQ(tx.linhas(), 5);
    }
    BancoDeTeste b(home.banco());
    EXPECT_EQ(b.conta("ATIVOS"), 5);
    EXPECT_EQ(b.valor("SELECT NOMECOMER FROM ATIVOS WHERE IE = '102'").toString(),
              QString::fromUtf8("AÇOUGUE SÃO JOÃO D'ÁGUA"));
    EXPECT_DOUBLE_EQ(b.valor("SELECT VLADICANT FROM ATIVOS WHERE IE = '102'").toDouble(), 1234.5);
    EXPECT_EQ(b.valor("SELECT DATAFIM FROM ATIVOS WHERE IE = '102'").toDate(), QDate(2023, 12, 31));
    EXPECT_TRUE(b.valor("SELECT MUNIC_CODIGO FROM ATIVOS WHERE IE = '102'").isNull());
    EXPECT_EQ(b.conta("ATIVOS", "CNPJ = ''"), 5); // empty text stays empty
}

TEST(BulkInsert, AFailedRowLeavesTheRowsBeforeItOnceConfirmed)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    {
        TransacaoEmLote tx(dm.MainConnection(), 10000);
        InsercaoEmLote ins(tx, "INSERT INTO ATIVOS (IE, VLADICANT) VALUES (?, ?)");
        ins.setTexto(0, "1");
        ins.setTexto(1, "10");
        ins.executa();
        ins.setTexto(0, "2");
        ins.setTexto(1, "1O,5"); // not a number
        try {
            ins.executa();
            FAIL() << "expected a conversion error";
        } catch (const OrbelError &e) {
            EXPECT_FALSE(e.message().isEmpty());
        }
        tx.confirma();
        // the same statement goes on after a failure
        ins.setTexto(0, "3");
        ins.setDouble(1, 2.5);
        ins.executa();
    }
    BancoDeTeste b(home.banco());
    EXPECT_EQ(b.conta("ATIVOS"), 2);
    EXPECT_DOUBLE_EQ(b.valor("SELECT VLADICANT FROM ATIVOS WHERE IE = '3'").toDouble(), 2.5);
    // the data module's own connection still works after the native transaction
    EXPECT_EQ(dm.LeParametro("ANOEXERCICIO"), QString("2023"));
}
