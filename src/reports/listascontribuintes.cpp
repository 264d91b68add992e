#include "reports/listascontribuintes.h"

#include "reports/contextorelatorio.h"
#include "reports/passosrelatorio.h"

using T = CampoDeclarado;

// The values once written into the text are bound: municipality, obliged flag.
const QString TForm_rel_ativos::SQL = QStringLiteral(
    "SELECT ATI.IE, MUN.MUNIC_NOME, ATI.NOMECOMER, ATI.NOMCONTAD, ATI.DDDCONTAD, ATI.TELEFCONTAD, "
    "ATI.RAMALCONTAD, CNF.CNAEF_ID, CNF.DESMEMBRAMENTO, ATI.REGRECATU, ATI.VLADICANT, ATI.CNPJ FROM ATIVOS "
    "ATI "
    "LEFT OUTER JOIN MUNICIPIOS MUN ON ATI.MUNIC_CODIGO = MUN.MUNIC_CODIGO LEFT OUTER JOIN CNAEF CNF ON "
    "((ATI.CNAEF_ID = CNF.CNAEF_ID) AND (ATI.DESMEMBRAMENTO = CNF.DESMEMBRAMENTO)) WHERE MUN.MUNIC_CODIGO = "
    "? "
    "AND (ATI.OBRIGADO = ?) ORDER BY ATI.IE ASC");

TForm_rel_ativos::TForm_rel_ativos()
{
    setPaisagem(true);
}

TForm_rel_omissos::TForm_rel_omissos()
{
    declaraConsulta(
        QStringLiteral(
            "SELECT CAST (ATI.IE as varchar(50)) as IE, ATI.NOMECOMER, ATI.NOMCONTAD, ATI.CGCCONTAD, "
            "ATI.CPFCONTAD, ATI.ENDCONTADOR, ATI.DDDCONTAD, ATI.TELEFCONTAD, ATI.RAMALCONTAD, "
            "ATI.REGRECATU,ATI.CNAEF_ID, ATI.DESMEMBRAMENTO, ATI.OBRIGADO,DCL.DEC_IE FROM ATIVOS ATI LEFT "
            "OUTER "
            "JOIN DECLARACOES DCL ON ATI.IE = DCL.DEC_IE WHERE (ATI.OBRIGADO = 'S') AND (ATI.MUNIC_CODIGO = "
            ":MUNICIPIO) AND ((DCL.DEC_IE IS NULL) OR ((SELECT COUNT(DECLARACOES.DEC_IE) FROM DECLARACOES "
            "WHERE "
            "DECLARACOES.DEC_IE=ATI.IE AND DECLARACOES.MUNIC_CODIGO=ATI.MUNIC_CODIGO)=0)) ORDER BY "
            "ATI.NOMCONTAD ASC, ATI.IE ASC"),
        {{"IE", T::Texto, 13},
         {"NOMECOMER", T::Texto, 60},
         {"NOMCONTAD", T::Texto, 33},
         {"CGCCONTAD", T::Texto, 14},
         {"CPFCONTAD", T::Texto, 11},
         {"ENDCONTADOR", T::Texto, 202},
         {"DDDCONTAD", T::Texto, 3},
         {"TELEFCONTAD", T::Texto, 9},
         {"RAMALCONTAD", T::Texto, 4},
         {"REGRECATU", T::Texto, 2},
         {"CNAEF_ID", T::Texto, 7},
         {"DESMEMBRAMENTO", T::Texto, 2},
         {"OBRIGADO", T::Texto, 1},
         {"DEC_IE", T::Texto, 13}});
}

const QString TForm_rel_omissos_nome::SQL = QStringLiteral(
    "SELECT ATI.NOMECOMER, ATI.CNAEF_ID, ATI.DESMEMBRAMENTO, ATI.IE, ATI.NOMCONTAD, ATI.DDDCONTAD, "
    "ATI.TELEFCONTAD, ATI.RAMALCONTAD, ATI.REGRECATU, ATI.OBRIGADO, DCL.DEC_IE FROM ATIVOS ATI LEFT OUTER "
    "JOIN "
    "DECLARACOES DCL ON ATI.IE = DCL.DEC_IE WHERE (ATI.OBRIGADO = ?) AND (ATI.MUNIC_CODIGO = ?) AND "
    "((DCL.DEC_IE IS NULL) OR ((SELECT COUNT(DECLARACOES.DEC_IE) FROM DECLARACOES WHERE "
    "DECLARACOES.DEC_IE=ATI.IE AND DECLARACOES.MUNIC_CODIGO=ATI.MUNIC_CODIGO )=0)) ORDER BY ATI.IE ASC ");

TForm_rel_omissos_nome::TForm_rel_omissos_nome()
{
    setPaisagem(true);
}

void Relacao_Contribuintes_Ativos(ExecucaoRelatorio &exec)
{
    TForm_rel_ativos layout;
    PassosRelatorio passos(exec, layout);
    passos.abreConsultaCompartilhada(TForm_rel_ativos::SQL,
                                     {exec.contexto.CodigoMunicipio, QStringLiteral("S")});
    layout.setLegenda(QStringLiteral("qrlMunicipio"), passos.primeiro(QStringLiteral("MUNIC_NOME")));
    passos.saida(QStringLiteral("_Relacao_Contribuintes_Ativos.csv"));
}

void Omissos_Por_Responsavel(ExecucaoRelatorio &exec)
{
    TForm_rel_omissos layout;
    PassosRelatorio passos(exec, layout);
    passos.abreConsultaPropria({{QStringLiteral("MUNICIPIO"), exec.contexto.CodigoMunicipio}});
    layout.setLegenda(QStringLiteral("qrlMunicipio"), exec.contexto.NomeMunicipio.left(40));
    passos.saida(QStringLiteral("_Omissos_Por_Responsavel.csv"));
}

void Omissos_Por_IE(ExecucaoRelatorio &exec)
{
    TForm_rel_omissos_nome layout;
    PassosRelatorio passos(exec, layout);
    passos.abreConsultaCompartilhada(TForm_rel_omissos_nome::SQL,
                                     {QStringLiteral("S"), exec.contexto.CodigoMunicipio});
    layout.setLegenda(QStringLiteral("qrlMunicipio"), exec.contexto.NomeMunicipio.left(40));
    passos.saida(QStringLiteral("_Omissos_Por_IE.csv"));
}
