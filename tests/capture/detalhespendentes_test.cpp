#include "capture/detalhespendentes.h"

#include <gtest/gtest.h>

TEST(PendingDetails, ResultsSubtotalsAndTotalsAreDerivedAtWriting)
{
    DetalhesPendentes p;
    const QString dro = "DEC_DRO";
    for (auto [c, v] :
         std::initializer_list<std::pair<const char *, double>>{{"RECEITA_BRUTA", 1000},
                                                                {"DEVOLUCOES_ABATIMENTOS", 100},
                                                                {"IMPOSTOS", 150},
                                                                {"CMS_CPS", 400},
                                                                {"DESPESAS_OPERACIONAIS", 200},
                                                                {"OUTRAS_RECEITAS_OPERACIONAIS", 50},
                                                                {"OUTRAS_DESPESAS_OPERACIONAIS", 30},
                                                                {"CORRECAO_MONETARIA", 10},
                                                                {"RECEITA_LIQUIDA", 999}})
        p.define(dro, c, v);
    p.define("DEC_DO", "PRO_LABORE", 5);
    p.define("DEC_DO", "SEGUROS", 7);
    p.define("DEC_ENTESTADO", "COMPRAS_VC", 100);
    p.define("DEC_ENTESTADO", "OUTRAS_VC", 20);
    p.define("DEC_ENTESTADO", "COMPRAS_SEM_CREDITO", 3);
    p.define("DEC_ENTEXTERIOR", "COMPRAS_ICMS", 4);
    p.define("DEC_SAIOUTROS", "VENDAS_BC", 50);
    p.define("DEC_ESTOQUE", "OUTROS_FINAL", 8);
    p.define("DEC_ESTOQUE", "TOTAL_FINAL", 1000); // replaced by the sum
    p.define("DEC_SIMPLES", "ENTRADAS_ESTADO", 9);
    p.calculaTotais("01");

    EXPECT_DOUBLE_EQ(p.valor(dro, "RECEITA_LIQUIDA"), 750);
    EXPECT_DOUBLE_EQ(p.valor(dro, "LUCRO_PREJUIZO_BRUTO"), 350);
    EXPECT_DOUBLE_EQ(p.valor(dro, "LUCRO_PREJUIZO_OPERACIONAL"), 180);
    EXPECT_DOUBLE_EQ(p.valor("DEC_DO", "TOTAL"), 12);
    EXPECT_DOUBLE_EQ(p.valor("DEC_ENTESTADO", "SUBTOTAL_VC"), 120);
    EXPECT_DOUBLE_EQ(p.valor("DEC_ENTESTADO", "COMPRAS_SEM_CREDITO"), 0);
    EXPECT_DOUBLE_EQ(p.valor("DEC_ENTRADASSAIDAS", "ENTRADAS_VC_TOTAL"), 120);
    EXPECT_DOUBLE_EQ(p.valor("DEC_ENTRADASSAIDAS", "ENTRADAS_ICMS_TOTAL"), 4);
    EXPECT_DOUBLE_EQ(p.valor("DEC_ENTRADASSAIDAS", "SAIDAS_BC_TOTAL"), 50);
    EXPECT_DOUBLE_EQ(p.valor("DEC_ESTOQUE", "TOTAL_FINAL"), 8);
    EXPECT_DOUBLE_EQ(p.valor("DEC_SIMPLES", "TOTAL_ENTRADAS"), 9);
    EXPECT_EQ(DetalhesPendentes::Tabelas().size(), 12);

    // regime 58 keeps the entries total of code 474, 0 when none came
    DetalhesPendentes s;
    s.define("DEC_SIMPLES", "ENTRADAS_ESTADO", 9);
    s.calculaTotais("58");
    EXPECT_DOUBLE_EQ(s.valor("DEC_SIMPLES", "TOTAL_ENTRADAS"), 0);
    s.limpa();
    EXPECT_DOUBLE_EQ(s.valor("DEC_SIMPLES", "ENTRADAS_ESTADO"), 0);
}
