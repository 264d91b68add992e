#include "reports/listasdeclaracoes.h"

#include "data/tdmprincipal.h"
#include "reports/contextorelatorio.h"
#include "reports/passosrelatorio.h"
#include "shell/orbelerror.h"

using T = CampoDeclarado;

TForm_rel_aceitas::TForm_rel_aceitas()
{
    declaraConsulta(
        QStringLiteral(
            "SELECT MU.MUNIC_NOME, DE.DEC_NOME, DE.RESP_NOME AS CONTADOR, DE.RESP_DDD, DE.RESP_TELEFONE AS "
            "TELEFONE, DE.DEC_NOME AS NOME, DE.DEC_IE AS IE, DE.DEC_PRIM_ENTREGA AS PRIMENTREGA, "
            "DE.DEC_ENTREGA_DATA AS ENTREGA, VF.TOTAL_GERAL_VAF AS VAF FROM DECLARACOES DE INNER JOIN "
            "Dec_VAF "
            "VF ON DE.DEC_ID = VF.DEC_ID INNER JOIN MUNICIPIOS MU ON DE.munic_codigo = MU.MUNIC_CODIGO WHERE "
            "(DE.DEC_SITUACAO = 'E') AND (DE.MUNIC_CODIGO = :CODIGO) AND(DEC_PRIM_ENTREGA <= :DATA) ORDER BY "
            "DE.RESP_NOME,DE.DEC_IE"),
        {{"CONTADOR", T::Texto, 40},
         {"MUNIC_NOME", T::Texto, 40},
         {"DEC_NOME", T::Texto, 60},
         {"RESP_DDD", T::Texto, 3},
         {"TELEFONE", T::Texto, 9},
         {"NOME", T::Texto, 60},
         {"IE", T::Texto, 13},
         {"PRIMENTREGA", T::Data},
         {"ENTREGA", T::Data},
         {"VAF", T::Real}});
}

// The values once written into the text are bound: municipality, situation, limit date.
const QString TForm_rel_entregue_fora_prazo::SQL = QStringLiteral(
    "SELECT DC.MUNIC_CODIGO,MUN.MUNIC_NOME, DC.DEC_NOME, DC.DEC_IE, DC.DEC_ENTREGA_DATA, "
    "DC.DEC_PRIM_ENTREGA, "
    "DV.TOTAL_GERAL_VAF, DC.DEC_SITUACAO FROM DECLARACOES DC LEFT OUTER JOIN Dec_VAF DV ON "
    "DC.DEC_ID=DV.DEC_ID "
    "INNER JOIN MUNICIPIOS MUN ON DC.MUNIC_CODIGO = MUN.MUNIC_CODIGO WHERE ((DC.MUNIC_CODIGO = ?) AND "
    "(DC.DEC_SITUACAO = ?) AND (DC.DEC_PRIM_ENTREGA > ?))ORDER BY DC.DEC_IE ASC, DC.DEC_ENTREGA_DATA ASC");

TForm_rel_entregue_fora_prazo::TForm_rel_entregue_fora_prazo()
{
}

TForm_rel_recusadas::TForm_rel_recusadas()
{
    setPaisagem(true);
    declaraConsulta(
        QStringLiteral(
            "SELECT DCL.MUNIC_CODIGO,DCL.RESP_NOME, MUN.MUNIC_NOME,DCL.RESP_DDD, DCL.RESP_TELEFONE, "
            "DCL.DEC_IE,DCL.DEC_NOME, HIS.HIST_SITUACAO,HIS.HIST_SUBSTITUI,HIS.HIST_PROTOCOLO, "
            "HIS.HIST_ERROS,HIS.HIST_DATA ,HIS.HIST_VAF,HIST_HORA FROM DECLARACOES DCL LEFT OUTER JOIN "
            "HISTORICO HIS ON DCL.DEC_ID = HIS.DEC_ID INNER JOIN MUNICIPIOS MUN ON DCL.MUNIC_CODIGO = "
            "MUN.MUNIC_CODIGO WHERE (DCL.MUNIC_CODIGO = :MUNICIPIO) AND (HIS.HIST_SITUACAO = 'R') AND "
            "(SELECT "
            "COUNT(HIS2.HIST_SITUACAO) FROM HISTORICO HIS2 WHERE HIS2.DEC_ID = DCL.DEC_ID AND "
            "HIS2.HIST_SITUACAO='E')=0 ORDER BY DCL.MUNIC_CODIGO ASC ,DCL.RESP_NOME ASC ,DCL.DEC_IE ASC"),
        {{"MUNIC_CODIGO", T::Texto, 3},
         {"RESP_NOME", T::Texto, 40},
         {"MUNIC_NOME", T::Texto, 40, true},
         {"RESP_DDD", T::Texto, 3},
         {"RESP_TELEFONE", T::Texto, 9},
         {"DEC_IE", T::Texto, 13},
         {"DEC_NOME", T::Texto, 60},
         {"HIST_SITUACAO", T::Texto, 1},
         {"HIST_SUBSTITUI", T::Texto, 1},
         {"HIST_PROTOCOLO", T::Texto, 12},
         {"HIST_ERROS", T::Texto, 15},
         {"HIST_DATA", T::Data},
         {"HIST_VAF", T::Fixo, 15},
         {"HIST_HORA", T::Hora}});
}

TForm_rel_recusadas_nome::TForm_rel_recusadas_nome()
{
    setPaisagem(true);
    declaraConsulta(
        QStringLiteral(
            "SELECT DCL.MUNIC_CODIGO,DCL.DEC_IE,DCL.DEC_NOME,HIS.HIST_SITUACAO, "
            "HIS.HIST_SUBSTITUI,HIS.HIST_PROTOCOLO,HIS.HIST_ERROS,HIS.HIST_DATA,HIS.HIST_HORA, HIS.HIST_VAF, "
            "MUN.MUNIC_NOME FROM DECLARACOES DCL LEFT OUTER JOIN HISTORICO HIS ON DCL.DEC_ID = HIS.DEC_ID "
            "INNER JOIN MUNICIPIOS MUN ON DCL.MUNIC_CODIGO = MUN.MUNIC_CODIGO WHERE (DCL.MUNIC_CODIGO = "
            ":MUNICIPIO) AND (HIS.HIST_SITUACAO = 'R') AND (SELECT COUNT(HIS2.HIST_SITUACAO) FROM HISTORICO "
            "HIS2 WHERE HIS2.DEC_ID = DCL.DEC_ID AND HIS2.HIST_SITUACAO='E')=0 ORDER BY DCL.MUNIC_CODIGO ASC "
            ",DCL.DEC_IE ASC"),
        {{"MUNIC_CODIGO", T::Texto, 3},
         {"DEC_IE", T::Texto, 13},
         {"DEC_NOME", T::Texto, 60},
         {"HIST_SITUACAO", T::Texto, 1},
         {"HIST_SUBSTITUI", T::Texto, 1},
         {"HIST_PROTOCOLO", T::Texto, 12},
         {"HIST_ERROS", T::Texto, 15},
         {"HIST_DATA", T::Data},
         {"HIST_HORA", T::Hora},
         {"HIST_VAF", T::Fixo, 15},
         {"MUNIC_NOME", T::Texto, 40, true}});
}

const QString TForm_rel_subst_recusadas::SQL = QStringLiteral(
    "SELECT DCL.MUNIC_CODIGO,MUN.MUNIC_NOME,DCL.DEC_IE,DCL.DEC_NOME,DCL.DEC_SITUACAO,DCL.DEC_SUBSTITUICAO, "
    "DCL.DEC_PROTOCOLO,DCL.DEC_ENTREGA_DATA,DCL.DEC_ENTREGA_HORA,HIS.HIST_ERROS,HIS.HIST_DATA,HIS.HIST_HORA, "
    "HIS.HIST_VAF,HIS.HIST_SITUACAO FROM DECLARACOES DCL LEFT OUTER JOIN HISTORICO HIS ON DCL.DEC_ID = "
    "HIS.DEC_ID INNER JOIN MUNICIPIOS MUN ON DCL.MUNIC_CODIGO = MUN.munic_codigo WHERE (DCL.MUNIC_CODIGO = "
    "?) "
    "AND (DCL.DEC_SITUACAO = ?) AND (HIS.HIST_SITUACAO = ?) AND ((HIS.HIST_DATA > DCL.DEC_ENTREGA_DATA) OR "
    "((HIS.HIST_DATA = DCL.DEC_ENTREGA_DATA) AND (HIS.HIST_HORA > DCL.DEC_ENTREGA_HORA))) ORDER BY "
    "DCL.MUNIC_CODIGO ASC, DCL.DEC_IE ASC");

TForm_rel_subst_recusadas::TForm_rel_subst_recusadas()
{
    setPaisagem(true);
}

void Declaracoes_Aceitas_Por_Responsavel(ExecucaoRelatorio &exec)
{
    TForm_rel_aceitas layout;
    PassosRelatorio passos(exec, layout);
    const TContextoRelatorio &c = exec.contexto;
    passos.abreConsultaPropria({{QStringLiteral("CODIGO"), c.CodigoMunicipio},
                                {QStringLiteral("DATA"), DataDoContexto(c.DataLimite)}});
    layout.setLegenda(QStringLiteral("pLimite"), QString(c.DataLimite).replace(u'.', u'/'));
    passos.saida(QStringLiteral("_Dec_Aceitas_Por_Responsavel.csv"));
}

void Entregues_Fora_Prazo(ExecucaoRelatorio &exec)
{
    TContextoRelatorio &c = exec.contexto;
    // the definitive limit date, whatever index is chosen
    c.DataLimite = ConverteData(exec.dm.LeParametro(QStringLiteral("DATALIMITE_DEFINITIVO")));
    if (c.DataLimite.isEmpty())
        throw OrbelError(QStringLiteral("Favor informar a data limite do índice definitivo"));
    TForm_rel_entregue_fora_prazo layout;
    PassosRelatorio passos(exec, layout);
    passos.abreConsultaCompartilhada(TForm_rel_entregue_fora_prazo::SQL,
                                     {c.CodigoMunicipio, QStringLiteral("E"), DataDoContexto(c.DataLimite)});
    layout.setLegenda(QStringLiteral("QRLMunicipio"), passos.primeiro(QStringLiteral("MUNIC_NOME")));
    layout.setLegenda(QStringLiteral("QRLLimite"), QString(c.DataLimite).replace(u'.', u'/'));
    passos.saida(QStringLiteral("_Dec_Entregues_Fora_Prazo.csv"));
}

void Recusadas_Por_Responsavel(ExecucaoRelatorio &exec)
{
    TForm_rel_recusadas layout;
    PassosRelatorio passos(exec, layout);
    passos.abreConsultaPropria({{QStringLiteral("MUNICIPIO"), exec.contexto.CodigoMunicipio}});
    passos.saida(QStringLiteral("_Dec_Recusadas_Por_Responsavel.csv"));
}

void Recusadas_Por_IE(ExecucaoRelatorio &exec)
{
    TForm_rel_recusadas_nome layout;
    PassosRelatorio passos(exec, layout);
    passos.abreConsultaPropria({{QStringLiteral("MUNICIPIO"), exec.contexto.CodigoMunicipio}});
    passos.saida(QStringLiteral("_Dec_Recusadas_Por_IE.csv"));
}

void Substituicoes_Recusadas(ExecucaoRelatorio &exec)
{
    TForm_rel_subst_recusadas layout;
    PassosRelatorio passos(exec, layout);
    passos.abreConsultaCompartilhada(
        TForm_rel_subst_recusadas::SQL,
        {exec.contexto.CodigoMunicipio, QStringLiteral("E"), QStringLiteral("R")});
    passos.saida(QStringLiteral("_Substituicoes_Recusadas.csv"));
}
