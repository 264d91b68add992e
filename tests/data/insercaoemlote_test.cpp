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
        tx.conclui();
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
        tx.conclui();
    }
    BancoDeTeste b(home.banco());
    EXPECT_EQ(b.conta("ATIVOS"), 2);
    EXPECT_DOUBLE_EQ(b.valor("SELECT VLADICANT FROM ATIVOS WHERE IE = '3'").toDouble(), 2.5);
    // the data module's own connection still works after the native transaction
    EXPECT_EQ(dm.LeParametro("ANOEXERCICIO"), QString("2023"));
}

TEST(BulkInsert, AnUnconcludedTransactionChangesNothingAndReadsSeeItsOwnWork)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    BancoDeTeste b(home.banco());
    b.executa("INSERT INTO ATIVOS (IE, CNPJ, VLADICANT) VALUES ('1', 'ANTIGO', 7.5)");
    {
        TransacaoEmLote tx(dm.MainConnection(), 0); // never commits on its own
        InsercaoEmLote apaga(tx, "DELETE FROM ATIVOS");
        apaga.executa();
        InsercaoEmLote ins(tx, "INSERT INTO ATIVOS (IE, CNPJ) VALUES (?, ?)");
        for (int i = 0; i < 25; ++i) {
            ins.setTexto(0, QString::number(100 + i));
            ins.setTexto(1, QString::fromUtf8("NOVO-Ç%1").arg(i));
            ins.executa();
        }
        // the transaction sees its own deletion and rows; the committed data does not change
        InsercaoEmLote q(tx, "SELECT CNPJ, COUNT(*), MAX(VLADICANT) FROM ATIVOS GROUP BY CNPJ ORDER BY CNPJ");
        q.executa();
        ASSERT_TRUE(q.proxima());
        EXPECT_EQ(q.texto(0), QString::fromUtf8("NOVO-Ç0"));
        EXPECT_EQ(q.texto(1).toInt(), 1);
        EXPECT_EQ(q.texto(2), QString()); // NULL reads as empty text
        int linhas = 1;
        while (q.proxima())
            ++linhas;
        EXPECT_EQ(linhas, 25);
        EXPECT_EQ(b.conta("ATIVOS"), 1);
        // gone without conclui(): rolled back, as after an error
    }
    EXPECT_EQ(b.conta("ATIVOS"), 1);
    EXPECT_EQ(b.valor("SELECT CNPJ FROM ATIVOS").toString(), QString("ANTIGO"));

    TransacaoEmLote tx(dm.MainConnection(), 0);
    InsercaoEmLote q(tx, "SELECT VLADICANT FROM ATIVOS");
    for (int vez = 0; vez < 2; ++vez) { // a statement runs again once its rows were read
        q.executa();
        ASSERT_TRUE(q.proxima());
        EXPECT_DOUBLE_EQ(q.texto(0).toDouble(), 7.5);
        EXPECT_FALSE(q.proxima());
    }
    tx.conclui();
    EXPECT_FALSE(tx.aberta());
    EXPECT_THROW(tx.conclui(), OrbelError);
    tx.desfaz(); // harmless once ended
}
