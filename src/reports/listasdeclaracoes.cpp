#include "reports/listasdeclaracoes.h"

#include "data/tdmprincipal.h"
#include "reports/contextorelatorio.h"
#include "reports/passosrelatorio.h"
#include "shell/orbelerror.h"

using T = CampoDeclarado;

namespace
{
const QString kInteiro = QStringLiteral("###,###,###,##0");
const QString kDecimal = QStringLiteral("###,###,###,##0.00");
constexpr double L = LayoutRelatorio::Linha;
} // namespace

TForm_rel_aceitas::TForm_rel_aceitas()
    : LayoutRelatorio(QStringLiteral("Declarações aceitas por responsáveis"), Orientacao::Retrato, DeFazenda)
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

    cabecalhoPadrao(
        [this] {
            return QStringLiteral("Relação de Declarações Aceitas por Responsável     -     Data limite: ") +
                   legenda(QStringLiteral("pLimite"));
        },
        [this] { return municipioDaLinha(QStringLiteral("MUNIC_NOME")); });

    Grupo &g = adicionaGrupo(QStringLiteral("CONTADOR"));
    g.setRepeteCabecalho();
    Banda &cab = g.cabecalho();
    cab.setNome(QStringLiteral("cabecalho_responsavel"));
    rotulo(cab, 0, 1, 22, QStringLiteral("Responsável:")).setNegrito();
    campo(cab, 22, 1, 90, QStringLiteral("CONTADOR")).setNegrito();
    rotulo(cab, 115, 1, 18, QStringLiteral("DDD/Fone:"));
    campos(cab, 133, 1, 57, {QStringLiteral("RESP_DDD"), QStringLiteral("TELEFONE")});
    titulosColunas(cab, 1 + L + 1,
                   {{0, 24, QStringLiteral("IE")},
                    {25, 75, QStringLiteral("Razão social")},
                    {101, 29, QStringLiteral("Primeira entrega")},
                    {131, 24, QStringLiteral("Entrega")},
                    {156, 34, QStringLiteral("VAF"), Qt::AlignRight}});
    // both totals restart with each responsible
    cab.depoisDeImprimir([this] { m_positivos = m_negativos = 0; });

    Banda &det = detalhe();
    det.setNome(QStringLiteral("detalhe"));
    campo(det, 0, 0, 24, QStringLiteral("IE"));
    campo(det, 25, 0, 75, QStringLiteral("DEC_NOME"));
    campo(det, 101, 0, 29, QStringLiteral("PRIMENTREGA"));
    campo(det, 131, 0, 24, QStringLiteral("ENTREGA"));
    campo(det, 156, 0, 34, QStringLiteral("VAF"), kInteiro, Qt::AlignRight);
    det.depoisDeImprimir([this] {
        const double vaf = valor(QStringLiteral("VAF")).toDouble(); // a null VAF counts as 0
        (vaf > 0 ? m_positivos : m_negativos) += vaf;
    });

    Banda &rod = g.rodape();
    rod.setNome(QStringLiteral("rodape_responsavel"));
    rod.regua(0, 0.5, larguraUtil(), 0.2);
    rotulo(rod, 0, 1, 40, QStringLiteral("Aceitas / Responsável:"));
    rod.contagem({40, 1, 20, L}, &g);
    rotulo(rod, 110, 1, 45, QStringLiteral("Total VAF positivos :"));
    Elemento &positivos = rotulo(rod, 156, 1, 34, {}, Qt::AlignRight);
    rotulo(rod, 110, 1 + L, 45, QStringLiteral("Total VAF negativos :"));
    Elemento &negativos = rotulo(rod, 156, 1 + L, 34, {}, Qt::AlignRight);
    rod.setAltura(1 + 2 * L + 3);
    rod.antesDeImprimir([this, &positivos, &negativos] {
        positivos.setValor(m_positivos, kInteiro);
        negativos.setValor(m_negativos, kInteiro);
        return true;
    });
    aoIniciar([this] { m_positivos = m_negativos = 0; });
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
    : LayoutRelatorio(QStringLiteral("Entregues fora do prazo"), Orientacao::Retrato)
{
    cabecalhoPadrao(
        [this] {
            return QStringLiteral(
                       "Relação de Declarações Entregues Fora do Prazo     -     Primeira entrega após: ") +
                   legenda(QStringLiteral("QRLLimite"));
        },
        [this] { return legenda(QStringLiteral("QRLMunicipio")); });
    titulosColunas(cabecalhoColunas(), 0,
                   {{0, 24, QStringLiteral("IE")},
                    {25, 84, QStringLiteral("Razão social")},
                    {110, 29, QStringLiteral("Primeira entrega")},
                    {140, 22, QStringLiteral("Entrega")},
                    {163, 27, QStringLiteral("VAF"), Qt::AlignRight}});
    cabecalhoColunas().setNome(QStringLiteral("cabecalho_colunas"));

    Banda &det = detalhe();
    det.setNome(QStringLiteral("detalhe"));
    campo(det, 0, 0, 24, QStringLiteral("DEC_IE"));
    campo(det, 25, 0, 84, QStringLiteral("DEC_NOME"));
    campo(det, 110, 0, 29, QStringLiteral("DEC_PRIM_ENTREGA"));
    campo(det, 140, 0, 22, QStringLiteral("DEC_ENTREGA_DATA"));
    campo(det, 163, 0, 27, QStringLiteral("TOTAL_GERAL_VAF"), kDecimal, Qt::AlignRight);
    det.depoisDeImprimir([this] {
        const double vaf = valor(QStringLiteral("TOTAL_GERAL_VAF")).toDouble(); // null counts as 0
        (vaf > 0 ? m_positivos : m_negativos) += vaf;
    });

    Banda &sum = sumarioComContagem(QStringLiteral("Total de declarações:"), 40);
    rotulo(sum, 110, 1, 45, QStringLiteral("Total positivos:"));
    Elemento &positivos = rotulo(sum, 156, 1, 34, {}, Qt::AlignRight);
    rotulo(sum, 110, 1 + L, 45, QStringLiteral("Total negativos:"));
    Elemento &negativos = rotulo(sum, 156, 1 + L, 34, {}, Qt::AlignRight);
    sum.antesDeImprimir([this, &positivos, &negativos] {
        positivos.setValor(m_positivos, kInteiro);
        negativos.setValor(m_negativos, kInteiro);
        return true;
    });
    // the totals cover the whole report, from zero again on each pass (printing from the preview)
    aoIniciar([this] { m_positivos = m_negativos = 0; });
}

LayoutRecusadas::LayoutRecusadas(const QString &titulo, const QString &tituloPagina)
    : LayoutRelatorio(titulo, Orientacao::Paisagem)
{
    cabecalhoPadrao([tituloPagina] { return tituloPagina; },
                    [this] { return municipioDaLinha(QStringLiteral("MUNIC_NOME")); });
    titulosColunas(cabecalhoColunas(), 0,
                   {{0, 26, QStringLiteral("IE")},
                    {27, 80, QStringLiteral("Razão social")},
                    {108, 38, QStringLiteral("Protocolo")},
                    {147, 36, QStringLiteral("Entrega")},
                    {184, 28, QStringLiteral("VAF"), Qt::AlignRight},
                    {215, 62, QStringLiteral("Motivos de recusa")}});
    cabecalhoColunas().setNome(QStringLiteral("cabecalho_colunas"));
    Banda &det = detalhe();
    det.setNome(QStringLiteral("detalhe"));
    campo(det, 0, 0, 26, QStringLiteral("DEC_IE"));
    campo(det, 27, 0, 80, QStringLiteral("DEC_NOME"));
    // the protocol has 20 digits: its column takes them all, from the room the reasons left over
    campo(det, 108, 0, 38, QStringLiteral("HIST_PROTOCOLO"));
    campos(det, 147, 0, 36, {QStringLiteral("HIST_DATA"), QStringLiteral("HIST_HORA")});
    campo(det, 184, 0, 28, QStringLiteral("HIST_VAF"), {}, Qt::AlignRight);
    campo(det, 215, 0, 62, QStringLiteral("HIST_ERROS"));
}

TForm_rel_recusadas::TForm_rel_recusadas()
    : LayoutRecusadas(QStringLiteral("Recusadas por Responsável"),
                      QStringLiteral("Relação de Contribuintes com Declarações Recusadas por Responsável"))
{
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

    Grupo &g = adicionaGrupo(QStringLiteral("RESP_NOME"));
    Banda &cab = g.cabecalho();
    cab.setNome(QStringLiteral("cabecalho_responsavel"));
    rotulo(cab, 0, 1, 22, QStringLiteral("Responsável:")).setNegrito();
    campo(cab, 22, 1, 90, QStringLiteral("RESP_NOME")).setNegrito();
    rotulo(cab, 115, 1, 18, QStringLiteral("DDD/Fone:"));
    campos(cab, 133, 1, 60, {QStringLiteral("RESP_DDD"), QStringLiteral("RESP_TELEFONE")});
    cab.setAltura(1 + L + 1);
    Banda &rod = g.rodape();
    rod.setNome(QStringLiteral("rodape_responsavel"));
    rod.regua(0, 0.5, larguraUtil(), 0.2);
    rotulo(rod, 0, 1, 45, QStringLiteral("Recusas / Responsável:"));
    rod.contagem({45, 1, 20, L}, &g);
    rod.setAltura(1 + L + 2);
    sumarioComContagem(QStringLiteral("Recusas / Município:"), 45);
}

TForm_rel_recusadas_nome::TForm_rel_recusadas_nome()
    : LayoutRecusadas(QStringLiteral("Recusadas por IE"),
                      QStringLiteral("Relação de Declarações Recusadas por Inscrição Estadual"))
{
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

    sumarioComContagem(QStringLiteral("Total de recusas:"), 35);
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
    : LayoutRelatorio(QStringLiteral("Subs. Recusadas"), Orientacao::Paisagem)
{
    cabecalhoPadrao([] { return QStringLiteral("Relação de Substituições Recusadas"); },
                    [this] { return municipioDaLinha(QStringLiteral("MUNIC_NOME")); });
    titulosColunas(cabecalhoColunas(), 0,
                   {{0, 26, QStringLiteral("IE")},
                    {27, 75, QStringLiteral("Razão social")},
                    {103, 36, QStringLiteral("Declaração válida")},
                    {140, 36, QStringLiteral("Entregas recusadas")},
                    {177, 28, QStringLiteral("VAF"), Qt::AlignRight},
                    {208, 69, QStringLiteral("Motivos de recusa")}});
    cabecalhoColunas().setNome(QStringLiteral("cabecalho_colunas"));
    Banda &det = detalhe();
    det.setNome(QStringLiteral("detalhe"));
    campo(det, 0, 0, 26, QStringLiteral("DEC_IE"));
    campo(det, 27, 0, 75, QStringLiteral("DEC_NOME"));
    campos(det, 103, 0, 36, {QStringLiteral("DEC_ENTREGA_DATA"), QStringLiteral("DEC_ENTREGA_HORA")});
    campos(det, 140, 0, 36, {QStringLiteral("HIST_DATA"), QStringLiteral("HIST_HORA")});
    campo(det, 177, 0, 28, QStringLiteral("HIST_VAF"), kInteiro, Qt::AlignRight);
    campo(det, 208, 0, 69, QStringLiteral("HIST_ERROS"));
    sumarioComContagem(QStringLiteral("Total de recusas:"), 35);
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
