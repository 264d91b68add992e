#include "reports/configuracaorelatorios.h"
#include "reports/exportacsv.h"
#include "shell/orbelerror.h"
#include "support/relatoriosteste.h"

#include <QFile>

#include <gtest/gtest.h>

namespace
{

// Generates one item for municipality 001 into a CSV file, as the window does with the CSV box ticked.
struct Geracao : RelatoriosTeste {
    TContextoRelatorio contexto;
    ConfiguracaoRelatorios config{*dm, ui, nullptr, contexto};

    Geracao()
    {
        config.cria();
        config.mostra();
    }
    QString gera(int item, int indice = 0, const QString &municipio = "001")
    {
        config.escolheRelatorio(item);
        config.escolheModo(ConfiguracaoRelatorios::ApenasMunicipio);
        config.escolheMunicipio(int(config.ListaCodigos().indexOf(municipio)));
        config.escolheIndice(indice);
        config.marcaGeraArquivoExcel(true);
        config.gera();
        return contexto.CodigoMunicipio;
    }
};

QString linhas(std::initializer_list<const char *> l)
{
    QString r;
    for (const char *s : l)
        r += QString::fromUtf8(s) + "\r\n";
    return r;
}

// Rows that tie on every sort key come in the server's order: compare them sorted.
QString semOrdemNosEmpates(const QString &csv)
{
    QStringList l = csv.split("\r\n");
    const QString cabecalho = l.takeFirst();
    std::sort(l.begin(), l.end());
    return cabecalho + "\r\n" + l.join("\r\n");
}

} // namespace

TEST(StatusLists, AcceptedByResponsibleUpToTheLimitOfTheChosenIndex)
{
    Geracao g;
    g.gera(0);
    // on the provisional limit day it is in; zero, negative and null totals as the database holds them
    EXPECT_EQ(
        g.csv("001_Dec_Aceitas_Por_Responsavel.csv"),
        linhas({"CONTADOR;MUNIC_NOME;DEC_NOME;RESP_DDD;TELEFONE;NOME;IE;PRIMENTREGA;ENTREGA;VAF;",
                "CONTADOR A;ALVORADA DO NORTE;ALFA COMERCIO LTDA;027;33330001;ALFA COMERCIO LTDA;0010000001;"
                "15/03/2024;15/03/2024;1234,5;",
                "CONTADOR A;ALVORADA DO NORTE;BETA; INDUSTRIA;027;33330001;BETA; INDUSTRIA;0010000002;"
                "10/02/2024;10/02/2024;0;",
                "CONTADOR B;ALVORADA DO NORTE;GAMA SÃO JOÃO;027;33330001;GAMA SÃO JOÃO;0010000003;"
                "01/03/2024;05/03/2024;-87,25;",
                "CONTADOR C;ALVORADA DO NORTE;ETA;027;33330001;ETA;0010000007;10/03/2024;10/03/2024;500;",
                "CONTADOR C;ALVORADA DO NORTE;IOTA;027;33330001;IOTA;0010000011;01/02/2024;01/02/2024;;"}));
    ASSERT_EQ(g.ui.mensagens().size(), 1);
    EXPECT_EQ(g.ui.mensagens()[0].titulo, QString("Finalização da Exportação"));
    EXPECT_EQ(g.ui.mensagens()[0].texto, "Relatório exportado com sucesso!\r\nFoi criado o arquivo " +
                                             g.pastaDoDia() + "001_Dec_Aceitas_Por_Responsavel.csv.");
    // accents are Windows-1252 bytes
    EXPECT_TRUE(g.bytes("001_Dec_Aceitas_Por_Responsavel.csv").contains("GAMA S\xC3O JO\xC3O"));

    g.gera(0, 1); // definitive: the declaration of the definitive limit day comes in
    EXPECT_TRUE(
        g.csv("001_Dec_Aceitas_Por_Responsavel.csv")
            .contains("CONTADOR C;ALVORADA DO NORTE;EPSILON;027;33330001;EPSILON;0010000005;30/06/2024;"
                      "30/06/2024;1000000;\r\n"));
}

TEST(StatusLists, LateUsesTheDefinitiveLimitWhateverTheIndex)
{
    Geracao g;
    g.gera(2, 0);
    EXPECT_EQ(
        g.csv("001_Dec_Entregues_Fora_Prazo.csv"),
        linhas({"MUNIC_CODIGO;MUNIC_NOME;DEC_NOME;DEC_IE;DEC_ENTREGA_DATA;DEC_PRIM_ENTREGA;TOTAL_GERAL_VAF;"
                "DEC_SITUACAO;",
                "001;ALVORADA DO NORTE;DELTA ME;0010000004;01/07/2024;01/07/2024;;E;",
                "001;ALVORADA DO NORTE;KAPPA;0010000012;20/08/2024;15/08/2024;2500,75;E;"}));

    g.dm->GravaParametro("DATALIMITE_DEFINITIVO", "");
    g.ui.limpa();
    QFile::remove(g.pastaDoDia() + "001_Dec_Entregues_Fora_Prazo.csv");
    EXPECT_THROW(g.gera(2, 0), OrbelError);
    EXPECT_FALSE(QFile::exists(g.pastaDoDia() + "001_Dec_Entregues_Fora_Prazo.csv"));
    try {
        g.gera(2, 0);
    } catch (const OrbelError &e) {
        EXPECT_EQ(e.message(), QString("Favor informar a data limite do índice definitivo"));
    }
}

TEST(StatusLists, RefusedOncePerRefusalAndNeverWhenAlsoAccepted)
{
    Geracao g;
    g.gera(5);
    EXPECT_EQ(
        semOrdemNosEmpates(g.csv("001_Dec_Recusadas_Por_Responsavel.csv")),
        semOrdemNosEmpates(linhas(
            {"MUNIC_CODIGO;RESP_NOME;MUNIC_NOME;RESP_DDD;RESP_TELEFONE;DEC_IE;DEC_NOME;HIST_SITUACAO;"
             "HIST_SUBSTITUI;HIST_PROTOCOLO;HIST_ERROS;HIST_DATA;HIST_VAF;HIST_HORA;",
             "001;CONTADOR A;ALVORADA DO NORTE;027;33330001;0010000006;ZETA;R;S;R00061;01 05;02/02/2024;150;"
             "09:15:00;",
             "001;CONTADOR A;ALVORADA DO NORTE;027;33330001;0010000006;ZETA;R;S;R00062;07;03/02/2024;-20,5;"
             "14:05:00;"})));
    g.gera(6);
    EXPECT_EQ(
        semOrdemNosEmpates(g.csv("001_Dec_Recusadas_Por_IE.csv")),
        semOrdemNosEmpates(linhas(
            {"MUNIC_CODIGO;DEC_IE;DEC_NOME;HIST_SITUACAO;HIST_SUBSTITUI;HIST_PROTOCOLO;HIST_ERROS;HIST_DATA;"
             "HIST_HORA;HIST_VAF;MUNIC_NOME;",
             "001;0010000006;ZETA;R;S;R00061;01 05;02/02/2024;09:15:00;150;ALVORADA DO NORTE;",
             "001;0010000006;ZETA;R;S;R00062;07;03/02/2024;14:05:00;-20,5;ALVORADA DO NORTE;"})));
}

TEST(StatusLists, RefusedSubstitutionOfTheSameDayOnlyWhenLater)
{
    Geracao g;
    g.gera(7);
    const QString csv = g.csv("001_Substituicoes_Recusadas.csv");
    EXPECT_TRUE(csv.startsWith(
        "MUNIC_CODIGO;MUNIC_NOME;DEC_IE;DEC_NOME;DEC_SITUACAO;DEC_SUBSTITUICAO;DEC_PROTOCOLO;"
        "DEC_ENTREGA_DATA;DEC_ENTREGA_HORA;HIST_ERROS;HIST_DATA;HIST_HORA;HIST_VAF;HIST_SITUACAO;"
        "\r\n"));
    QStringList corpo = csv.split("\r\n", Qt::SkipEmptyParts).mid(1);
    corpo.sort(); // both rows share the sort keys
    EXPECT_EQ(
        corpo,
        QStringList({"001;ALVORADA DO NORTE;0010000007;ETA;E;N;P000007;10/03/2024;10:00:00;02 03;"
                     "12/03/2024;08:00:00;520;R;",
                     "001;ALVORADA DO NORTE;0010000007;ETA;E;N;P000007;10/03/2024;10:00:00;03;10/03/2024;"
                     "11:30:00;510;R;"}));
}

TEST(TaxpayerLists, ActiveObligedWithTheirCnaeFromTheTable)
{
    Geracao g;
    g.gera(1);
    EXPECT_EQ(
        g.csv("001_Relacao_Contribuintes_Ativos.csv"),
        linhas(
            {"IE;MUNIC_NOME;NOMECOMER;NOMCONTAD;DDDCONTAD;TELEFCONTAD;RAMALCONTAD;CNAEF_ID;DESMEMBRAMENTO;"
             "REGRECATU;VLADICANT;CNPJ;",
             "0010000001;ALVORADA DO NORTE;ALFA COMERCIO LTDA;JOÃO CONTADOR;027;33334444;12;46;00;01;1234,5;"
             "98765432000101;",
             // a CNAE missing from the table prints empty
             "0010000008;ALVORADA DO NORTE;OMEGA SERVIÇOS;MARIA CONTADORA;027;33334444;12;;;01;;"
             "98765432000108;",
             "0010000009;ALVORADA DO NORTE;PI LTDA;JOÃO CONTADOR;027;33334444;12;46;00;01;-10;"
             "98765432000109;"}));
}

TEST(TaxpayerLists, OmittedOncePerDeclarationElsewhereAndOnceWithNone)
{
    Geracao g;
    g.gera(3);
    EXPECT_EQ(
        g.csv("001_Omissos_Por_Responsavel.csv"),
        linhas(
            {"IE;NOMECOMER;NOMCONTAD;CGCCONTAD;CPFCONTAD;ENDCONTADOR;DDDCONTAD;TELEFCONTAD;RAMALCONTAD;"
             "REGRECATU;CNAEF_ID;DESMEMBRAMENTO;OBRIGADO;DEC_IE;",
             "0010000009;PI LTDA;JOÃO CONTADOR;12345678000199;55566677788;RUA DAS FLORES, 10;027;33334444;12;"
             "01;46;00;S;0010000009;",
             "0010000009;PI LTDA;JOÃO CONTADOR;12345678000199;55566677788;RUA DAS FLORES, 10;027;33334444;12;"
             "01;46;00;S;0010000009;",
             "0010000008;OMEGA SERVIÇOS;MARIA CONTADORA;12345678000199;11122233344;RUA DAS FLORES, 10;027;"
             "33334444;12;01;99;00;S;;"}));
    g.gera(4);
    EXPECT_EQ(
        g.csv("001_Omissos_Por_IE.csv"),
        linhas({"NOMECOMER;CNAEF_ID;DESMEMBRAMENTO;IE;NOMCONTAD;DDDCONTAD;TELEFCONTAD;RAMALCONTAD;REGRECATU;"
                "OBRIGADO;DEC_IE;",
                "OMEGA SERVIÇOS;99;00;0010000008;MARIA CONTADORA;027;33334444;12;01;S;;",
                "PI LTDA;46;00;0010000009;JOÃO CONTADOR;027;33334444;12;01;S;0010000009;",
                "PI LTDA;46;00;0010000009;JOÃO CONTADOR;027;33334444;12;01;S;0010000009;"}));
}
