#include "reports/listascontribuintes.h"

#include "reports/contextorelatorio.h"
#include "reports/passosrelatorio.h"

using T = CampoDeclarado;

namespace
{
constexpr double L = LayoutRelatorio::Linha;
} // namespace

// The values once written into the text are bound: municipality, obliged flag. The filter is also
// put on the taxpayer's own column (the join makes both equal, so the rows are the same): on the
// joined table alone the server walks every taxpayer of the state for each municipality.
const QString TForm_rel_ativos::SQL = QStringLiteral(
    "SELECT ATI.IE, MUN.MUNIC_NOME, ATI.NOMECOMER, ATI.NOMCONTAD, ATI.DDDCONTAD, ATI.TELEFCONTAD, "
    "ATI.RAMALCONTAD, CNF.CNAEF_ID, CNF.DESMEMBRAMENTO, ATI.REGRECATU, ATI.VLADICANT, ATI.CNPJ FROM ATIVOS "
    "ATI "
    "LEFT OUTER JOIN MUNICIPIOS MUN ON ATI.MUNIC_CODIGO = MUN.MUNIC_CODIGO LEFT OUTER JOIN CNAEF CNF ON "
    "((ATI.CNAEF_ID = CNF.CNAEF_ID) AND (ATI.DESMEMBRAMENTO = CNF.DESMEMBRAMENTO)) WHERE MUN.MUNIC_CODIGO = "
    "? "
    "AND (ATI.OBRIGADO = ?) AND (ATI.MUNIC_CODIGO = ?) ORDER BY ATI.IE ASC");

TForm_rel_ativos::TForm_rel_ativos()
    : LayoutRelatorio(QStringLiteral("Relação de contribuintes ativos"), Orientacao::Paisagem, DeFazenda)
{
    cabecalhoPadrao([] { return QStringLiteral("Relação de Contribuintes Ativos"); },
                    [this] { return legenda(QStringLiteral("qrlMunicipio")); });
    titulosColunas(cabecalhoColunas(), 0,
                   {{0, 24, QStringLiteral("IE")},
                    {25, 28, QStringLiteral("CNPJ")},
                    {54, 70, QStringLiteral("Razão social")},
                    {125, 55, QStringLiteral("Responsável")},
                    {181, 32, QStringLiteral("Telefone")},
                    {214, 18, QStringLiteral("CNAE-F")},
                    {233, 8, QStringLiteral("Reg")},
                    {242, 35, QStringLiteral("VAF-exerc.anterior"), Qt::AlignRight}});
    cabecalhoColunas().setNome(QStringLiteral("cabecalho_colunas"));
    Banda &det = detalhe();
    det.setNome(QStringLiteral("detalhe"));
    campo(det, 0, 0, 24, QStringLiteral("IE"));
    campo(det, 25, 0, 28, QStringLiteral("CNPJ"));
    campo(det, 54, 0, 70, QStringLiteral("NOMECOMER"));
    campo(det, 125, 0, 55, QStringLiteral("NOMCONTAD"));
    campos(det, 181, 0, 32,
           {QStringLiteral("DDDCONTAD"), QStringLiteral("TELEFCONTAD"), QStringLiteral("RAMALCONTAD")});
    campos(det, 214, 0, 18, {QStringLiteral("CNAEF_ID"), QStringLiteral("DESMEMBRAMENTO")});
    campo(det, 233, 0, 8, QStringLiteral("REGRECATU"));
    campo(det, 242, 0, 35, QStringLiteral("VLADICANT"), {}, Qt::AlignRight);
    sumarioComContagem(QStringLiteral("Ativos / Município"), 35);
}

TForm_rel_omissos::TForm_rel_omissos()
    : LayoutRelatorio(QStringLiteral("Omissos por Responsável"), Orientacao::Retrato)
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

    cabecalhoPadrao([] { return QStringLiteral("Relação de Contribuintes Omissos"); },
                    [this] { return legenda(QStringLiteral("qrlMunicipio")); });
    Grupo &g = adicionaGrupo(QStringLiteral("NOMCONTAD"));
    Banda &cab = g.cabecalho();
    cab.setNome(QStringLiteral("cabecalho_responsavel"));
    // the CGC and CPF of the group's first row: one name may cover several accountants
    rotulo(cab, 0, 1, 22, QStringLiteral("Responsável")).setNegrito();
    rotulo(cab, 40, 1, 9, QStringLiteral("CGC:"));
    campo(cab, 49, 1, 28, QStringLiteral("CGCCONTAD"));
    rotulo(cab, 80, 1, 9, QStringLiteral("CPF:"));
    campo(cab, 89, 1, 24, QStringLiteral("CPFCONTAD"));
    rotulo(cab, 116, 1, 16, QStringLiteral("Telefone:"));
    campos(cab, 132, 1, 58,
           {QStringLiteral("DDDCONTAD"), QStringLiteral("TELEFCONTAD"), QStringLiteral("RAMALCONTAD")});
    rotulo(cab, 0, 1 + L, 22, QStringLiteral("Nome")).setNegrito();
    campo(cab, 22, 1 + L, 120, QStringLiteral("NOMCONTAD")).setNegrito();
    titulosColunas(cab, 1 + 2 * L + 1,
                   {{0, 26, QStringLiteral("IE")},
                    {27, 110, QStringLiteral("Razão social")},
                    {140, 25, QStringLiteral("CNAEF")},
                    {170, 20, QStringLiteral("Regime"), Qt::AlignRight}});
    Banda &det = detalhe();
    det.setNome(QStringLiteral("detalhe"));
    campo(det, 0, 0, 26, QStringLiteral("IE"));
    campo(det, 27, 0, 110, QStringLiteral("NOMECOMER"));
    campos(det, 140, 0, 25, {QStringLiteral("CNAEF_ID"), QStringLiteral("DESMEMBRAMENTO")});
    campo(det, 170, 0, 20, QStringLiteral("REGRECATU"), {}, Qt::AlignRight);
    Banda &rod = g.rodape();
    rod.setNome(QStringLiteral("rodape_responsavel"));
    rod.regua(0, 0.5, larguraUtil(), 0.2);
    rotulo(rod, 0, 1, 20, QStringLiteral("Total"));
    rod.contagem({20, 1, 20, L}, &g);
    rod.setAltura(1 + L + 2);
    sumarioComContagem(QStringLiteral("Total por município"), 40);
}

const QString TForm_rel_omissos_nome::SQL = QStringLiteral(
    "SELECT ATI.NOMECOMER, ATI.CNAEF_ID, ATI.DESMEMBRAMENTO, ATI.IE, ATI.NOMCONTAD, ATI.DDDCONTAD, "
    "ATI.TELEFCONTAD, ATI.RAMALCONTAD, ATI.REGRECATU, ATI.OBRIGADO, DCL.DEC_IE FROM ATIVOS ATI LEFT OUTER "
    "JOIN "
    "DECLARACOES DCL ON ATI.IE = DCL.DEC_IE WHERE (ATI.OBRIGADO = ?) AND (ATI.MUNIC_CODIGO = ?) AND "
    "((DCL.DEC_IE IS NULL) OR ((SELECT COUNT(DECLARACOES.DEC_IE) FROM DECLARACOES WHERE "
    "DECLARACOES.DEC_IE=ATI.IE AND DECLARACOES.MUNIC_CODIGO=ATI.MUNIC_CODIGO )=0)) ORDER BY ATI.IE ASC ");

TForm_rel_omissos_nome::TForm_rel_omissos_nome()
    : LayoutRelatorio(QStringLiteral("Omissos por IE"), Orientacao::Paisagem)
{
    cabecalhoPadrao([] { return QStringLiteral("Relação de Contribuintes Omissos por Inscrição Estadual"); },
                    [this] { return legenda(QStringLiteral("qrlMunicipio")); });
    titulosColunas(cabecalhoColunas(), 0,
                   {{0, 26, QStringLiteral("  IE")},
                    {27, 85, QStringLiteral("Razão social")},
                    {113, 60, QStringLiteral("Responsável")},
                    {174, 40, QStringLiteral("DDD/Fone/Ramal")},
                    {215, 25, QStringLiteral("CNAEF")},
                    {242, 35, QStringLiteral("Regime"), Qt::AlignRight}});
    cabecalhoColunas().setNome(QStringLiteral("cabecalho_colunas"));
    Banda &det = detalhe();
    det.setNome(QStringLiteral("detalhe"));
    campo(det, 0, 0, 26, QStringLiteral("IE"));
    campo(det, 27, 0, 85, QStringLiteral("NOMECOMER"));
    campo(det, 113, 0, 60, QStringLiteral("NOMCONTAD"));
    campos(det, 174, 0, 40,
           {QStringLiteral("DDDCONTAD"), QStringLiteral("TELEFCONTAD"), QStringLiteral("RAMALCONTAD")});
    campos(det, 215, 0, 25, {QStringLiteral("CNAEF_ID"), QStringLiteral("DESMEMBRAMENTO")});
    campo(det, 242, 0, 35, QStringLiteral("REGRECATU"), {}, Qt::AlignRight);
    sumarioComContagem(QStringLiteral("Total de omissos:"), 35);
}

void Relacao_Contribuintes_Ativos(ExecucaoRelatorio &exec)
{
    TForm_rel_ativos layout;
    PassosRelatorio passos(exec, layout);
    passos.abreConsultaCompartilhada(
        TForm_rel_ativos::SQL,
        {exec.contexto.CodigoMunicipio, QStringLiteral("S"), exec.contexto.CodigoMunicipio});
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
