#include "capture/registrosdeclaracao.h"

#include "capture/camposfixos.h"
#include "data/clientdataset.h"
#include "shell/conversao.h"
#include "shell/orbelerror.h"

#include <QHash>
#include <memory>

namespace RegistrosDeclaracao
{

using namespace ConversoesRetorno;
using CamposFixos::bruto;
using CamposFixos::campo;

namespace
{

// Whole numbers of the integer-coded records; a code that is not a number fails the record.
int codigo(QStringView l, int a, int b)
{
    return StrToInt(campo(l, a, b).toString());
}

struct Lista {
    QString tabela;
    Atribuicoes itens;
    void poe(const QString &parametro, const QVariant &v) { itens.append({tabela, parametro, v}); }
};

} // namespace

BuscaCampo BuscaCampoEm(const ClientDataSet &campos)
{
    // read once: an import looks a code up for every record 03
    auto destinos = std::make_shared<QHash<QString, QString>>();
    for (int linha = 0; linha < campos.recordCount(); ++linha) {
        const QString retorno = campos.valor(linha, QStringLiteral("RETORNO")).toString();
        if (!destinos->contains(retorno)) // the first row of a code wins, as in a search
            destinos->insert(retorno,
                             campos.valor(linha, QStringLiteral("CAMPO_DESTINO")).toString().trimmed());
    }
    return [destinos](const QString &codigo) { return destinos->value(codigo); };
}

QString Ultimos2(QStringView linha)
{
    return linha.right(2).toString();
}

Atribuicoes Registro0A(QStringView l)
{
    Lista r{QStringLiteral("DECLARACOES"), {}};
    r.poe(QStringLiteral("DEC_IE"), bruto(l, 6, 18));
    r.poe(QStringLiteral("CONT_ENDERECO"), CamposFixos::texto(l, 19, 68));
    r.poe(QStringLiteral("CONT_BAIRRO"), CamposFixos::texto(l, 69, 88));
    r.poe(QStringLiteral("CONT_CEP"), CamposFixos::texto(l, 89, 96));
    r.poe(QStringLiteral("CONT_DDD"), CamposFixos::texto(l, 97, 98));
    r.poe(QStringLiteral("CONT_FONE"), CamposFixos::texto(l, 99, 106));
    r.poe(QStringLiteral("CONT_AGPOSTAL"), CamposFixos::texto(l, 107, 110));
    r.poe(QStringLiteral("CONT_CXPOSTAL"), CamposFixos::texto(l, 111, 117));
    r.poe(QStringLiteral("CONT_MAIL"), CamposFixos::texto(l, 118, 152));
    r.poe(QStringLiteral("COD_MUNIC_ENDERECO"), CamposFixos::texto(l, 153, 155));
    return r.itens;
}

Atribuicoes Registro0B(QStringView l)
{
    Lista r{QStringLiteral("DECLARACOES"), {}};
    r.poe(QStringLiteral("RESP_ENDERECO"), SemAspas(campo(l, 19, 68)));
    r.poe(QStringLiteral("RESP_BAIRRO"), SemAspas(campo(l, 69, 88)));
    r.poe(QStringLiteral("RESP_CEP"), SemAspas(campo(l, 89, 96)));
    r.poe(QStringLiteral("RESP_MUNICIPIO"), SemAspas(campo(l, 97, 126)));
    r.poe(QStringLiteral("RESP_UF"), CamposFixos::texto(l, 127, 128));
    r.poe(QStringLiteral("RESP_MAIL"), CamposFixos::texto(l, 129, 163));
    return r.itens;
}

Atribuicoes Registro01(QStringView l, const AvisoData &aviso, QString *regime)
{
    const QString linha = l.toString();
    Lista r{QStringLiteral("DECLARACOES"), {}};
    r.poe(QStringLiteral("MUNIC_CODIGO"), bruto(l, 3, 5));
    bool ok = false;
    const int exercicio = campo(l, 19, 22).trimmed().toInt(&ok);
    r.poe(QStringLiteral("DEC_EXERCICIO"), ok ? exercicio : 0);
    r.poe(QStringLiteral("DEC_NOME"), SemAspas(campo(l, 23, 57)));
    r.poe(QStringLiteral("DEC_ENTREGA_DATA"), TextoParaData(bruto(l, 58, 65), linha, aviso));
    r.poe(QStringLiteral("DEC_ENTREGA_HORA"), TextoParaHora(bruto(l, 66, 71)));
    r.poe(QStringLiteral("DEC_PRIM_ENTREGA"), TextoParaData(bruto(l, 72, 79), linha, aviso));
    r.poe(QStringLiteral("DEC_PROCESSAMENTO"), TextoParaData(CamposFixos::texto(l, 80, 87), linha, aviso));
    r.poe(QStringLiteral("DAMEF_CODIGO"), CamposFixos::texto(l, 88, 88));
    const QString protocolo = bruto(l, 94, 113);
    // an all-zero protocol marks a taxpayer of type 9
    r.poe(QStringLiteral("TIPO_CONTRIB_CODIGO"), protocolo == QLatin1String("00000000000000000000")
                                                     ? QStringLiteral("9")
                                                     : CamposFixos::texto(l, 89, 89));
    r.poe(QStringLiteral("DEC_SUBSTITUICAO"), FlagSN(campo(l, 92, 92)));
    r.poe(QStringLiteral("DEC_MUDOUMUNIC"), FlagSN(campo(l, 93, 93)));
    r.poe(QStringLiteral("DEC_PROTOCOLO"), protocolo.trimmed());
    r.poe(QStringLiteral("DEC_IRREGULAR"), FlagSN(campo(l, 114, 114)));
    r.poe(QStringLiteral("ESCRITA_CONTABIL"), CamposFixos::texto(l, 115, 115));
    r.poe(QStringLiteral("CNAEF_ID"), CamposFixos::texto(l, 116, 122));
    r.poe(QStringLiteral("DESMEMBRAMENTO"), CamposFixos::texto(l, 123, 124));
    r.poe(QStringLiteral("NOME_MUNICIPIO"), CamposFixos::texto(l, 125, 154));
    r.poe(QStringLiteral("DEC_MES_INICIAL"), CamposFixos::texto(l, 155, 156));
    r.poe(QStringLiteral("DEC_MES_FINAL"), CamposFixos::texto(l, 157, 158));
    const QString atual = CamposFixos::texto(l, 159, 161);
    r.poe(QStringLiteral("COD_MUNIC_ATUAL"),
          atual == QLatin1String("000") ? CamposFixos::texto(l, 3, 5) : atual);
    const QString reg = Ultimos2(l);
    r.poe(QStringLiteral("REG_CODIGO"), reg);
    if (regime)
        *regime = reg;
    return r.itens;
}

Atribuicoes Registro02(QStringView l, ValoresAnteriores *anteriores)
{
    Lista r{QStringLiteral("DECLARACOES"), {}};
    r.poe(QStringLiteral("RESP_NOME"), CamposFixos::texto(l, 19, 53));
    r.poe(QStringLiteral("RESP_CGC_CPF"), CamposFixos::texto(l, 54, 67));
    r.poe(QStringLiteral("RESP_CARGO"), CamposFixos::texto(l, 68, 92));
    r.poe(QStringLiteral("RESP_DDD"), CamposFixos::texto(l, 93, 94));
    r.poe(QStringLiteral("RESP_TELEFONE"), CamposFixos::texto(l, 95, 102));
    if (anteriores)
        *anteriores = {bruto(l, 103, 117), bruto(l, 118, 132), bruto(l, 133, 147), bruto(l, 148, 162)};
    return r.itens;
}

Atribuicoes Registro03(QStringView l, const BuscaCampo &busca, const QString &regime)
{
    const QString cod = bruto(l, 19, 21);
    const double v = ValorEm(l, 22, 36);
    const QString destino = busca ? busca(cod) : QString();
    if (destino.isEmpty())
        throw OrbelError(QStringLiteral("Registro 3 não localizou o campo ") + cod);
    const int n = StrToInt(cod);
    // the regime decides between the full and the simplified forms; it must then be a number
    auto completo = [&regime] { return StrToInt(regime) <= 3; };
    auto um = [&](const char *tabela, const QString &parametro) {
        return Atribuicoes{{QLatin1String(tabela), parametro, v}};
    };
    if (n >= 18 && n <= 28)
        return um("DEC_DRO", destino);
    if (n >= 29 && n <= 43)
        return um("DEC_DO", destino);
    switch (n) {
    case 400:
        return um("DEC_ENTESTADO", QStringLiteral("PRODUTOS_AGROPECUARIOS"));
    case 401:
        return um(completo() ? "DEC_SAIESTADO" : "DEC_SIMPLES", QStringLiteral("TRANSPORTE_TOMADO"));
    case 463:
        return um(completo() ? "DEC_ENTESTADO" : "DEC_SIMPLES", QStringLiteral("GERACAO_ENERGIA_ELETRICA"));
    case 464:
        return completo() ? um("DEC_ENTRADASSAIDAS", QStringLiteral("AUTUACOES_ENTRADA"))
                          : um("DEC_SIMPLES", QStringLiteral("AUTUACOES_ENTRADAS"));
    case 465:
        return completo() ? um("DEC_ENTRADASSAIDAS", QStringLiteral("AUTUACOES_SAIDA"))
                          : um("DEC_SIMPLES", QStringLiteral("AUTUACOES_SAIDAS"));
    case 466:
        StrToInt(regime);
        return um("DEC_ENTRADASSAIDAS", QStringLiteral("PROD_AGROPECUARIO"));
    case 467:
        StrToInt(regime);
        return um("DEC_ENTOUTROS", destino);
    case 468:
        StrToInt(regime);
        return um("DEC_SAIOUTROS", destino);
    case 469:
        return completo() ? um("DEC_ENTRADASSAIDAS", QStringLiteral("COOPERATIVA")) : Atribuicoes{};
    case 474:
        return um("DEC_SIMPLES", QStringLiteral("TOTAL_ENTRADAS"));
    default:
        break;
    }
    if (n >= 453 && n <= 462)
        return um("DEC_SIMPLES", destino);
    if (n >= 470 && n <= 473)
        return um("DEC_ENTRADASSAIDAS", destino);
    return {}; // any other code: the value is dropped
}

Atribuicoes Registro04(QStringView l)
{
    const int n = codigo(l, 19, 21);
    const double inicial = ValorEm(l, 22, 36), final_ = ValorEm(l, 37, 51);
    static const char *const kLinhas[] = {"PRODUTOS_TRIBUTADOS", "SUJEITOS_SUBST", "ISENTOS_NAO_INCIDENCIA",
                                          "OUTROS", "TOTAL"};
    if (n < 44 || n > 48)
        return {};
    const QString base = QLatin1String(kLinhas[n - 44]);
    return {{QStringLiteral("DEC_ESTOQUE"), base + QStringLiteral("_INICIAL"), inicial},
            {QStringLiteral("DEC_ESTOQUE"), base + QStringLiteral("_FINAL"), final_}};
}

Atribuicoes Registro06(QStringView l, const QString &regime,
                       const std::function<void(const QString &)> &avisoCodigo)
{
    const QString cod = bruto(l, 19, 21);
    const int n = StrToInt(cod);
    const double e = ValorEm(l, 22, 36), s = ValorEm(l, 37, 51);
    Lista r{QStringLiteral("DEC_VAFEXCLUSOES"), {}};
    auto par = [&r, e, s](const char *entrada, const char *saida) {
        r.poe(QLatin1String(entrada), e);
        r.poe(QLatin1String(saida), s);
    };
    const bool simples = regime == QLatin1String("58");
    switch (n) {
    case 404:
        par("PARCELA_ST_ENTRADA", "PARCELA_ST_SAIDA");
        break;
    case 405:
        par("ENTREGA_FUTURA_ENTRADA", "ENTREGA_FUTURA_SAIDA");
        break;
    case 406:
        par("CONSIGNACAO_ENTRADA", "CONSIGNACAO_SAIDA");
        break;
    case 407:
        par("PARCELA_IPI_ENTRADA", "PARCELA_IPI_SAIDA");
        break;
    case 408:
        par("ATIVO_IMOBILIZADO_ENTRADA", "ATIVO_IMOBILIZADO_SAIDA");
        break;
    case 409:
        par("MATERIAL_USO_CONSUMO_ENTRADA", "MATERIAL_USO_CONSUMO_SAIDA");
        break;
    case 410:
        par("SUSPENSAO_ENTRADA", "SUSPENSAO_SAIDA");
        break;
    case 411:
        par("SIMPLES_REMESSA_ENTRADA", "SIMPLES_REMESSA_SAIDA");
        break;
    case 412:
        r.poe(QStringLiteral("ENERGIA_COMUNICACAO_ETNRADA"), e);
        break;
    case 413:
        r.poe(QStringLiteral("TRANSPORTES_ENTRADA"), e);
        break;
    case 414:
        r.poe(QStringLiteral("SUBCONTRATACAO_TRANSP_ENTRADA"), simples ? s : e);
        break;
    case 415:
        par("REMESSA_RET_ARMAZENA_ENTRADA", "REMESSA_RET_ARMAZENA_SAIDA");
        break;
    case 416:
        par("OUTRAS_ENTRADAS", "OUTRAS_SAIDAS");
        break;
    case 417:
        r.poe(QStringLiteral("TOTAL_EXCLUSOES_ENTRADAS"), e);
        if (!simples)
            r.poe(QStringLiteral("TOTAL_EXCLUSOES_SAIDA"), s);
        break;
    case 427:
        r.poe(QStringLiteral("TRANSPORTE_INTERNACIONAL_SAIDA"), s);
        break;
    case 430:
        r.poe(QStringLiteral("TOTAL_EXCLUSOES_SAIDA"), s);
        break;
    case 431:
        par("AJUSTE_ENTRADA", "AJUSTE_SAIDA");
        break;
    case 433:
        par("EXTRAORDINARIAS_ENTRADA", "EXTRAORDINARIAS_SAIDA");
        break;
    case 434:
        r.poe(QStringLiteral("EXTRAORDINARIAS_SAIDA"), s);
        break;
    default:
        if (avisoCodigo)
            avisoCodigo(cod);
        break;
    }
    return r.itens;
}

Atribuicoes Registro07(QStringView l, const ValoresAnteriores &a)
{
    Lista r{QStringLiteral("DEC_VAF"), {}};
    const double entradas = ValorEm(l, 34, 48), outras = ValorEm(l, 49, 63);
    r.poe(QStringLiteral("MUNIC_CODIGO"), bruto(l, 3, 5));
    r.poe(QStringLiteral("SAIDAS_VAF"), ValorEm(l, 19, 33));
    r.poe(QStringLiteral("ENTRADAS_VAF"), entradas);
    r.poe(QStringLiteral("OUTRAS_ENTRADAS_VAF"), outras);
    r.poe(QStringLiteral("TOTAL_ENTRADAS_VAF"), entradas + outras);
    r.poe(QStringLiteral("TOTAL_GERAL_VAF"), ValorEm(l, 64, 78));
    r.poe(QStringLiteral("REG_CODIGO"), Ultimos2(l));
    r.poe(QStringLiteral("TOTAL_GERAL_VAF_ANO_ANTERIOR"), Valor(a.vaf));
    r.poe(QStringLiteral("TOTAL_GERAL_OUTRAS_ENTRADAS_ANT"), Valor(a.outras));
    r.poe(QStringLiteral("TOTAL_GERAL_ENTRADAS_ANT"), Valor(a.entradas));
    r.poe(QStringLiteral("TOTAL_GERAL_SAIDAS_ANT"), Valor(a.saidas));
    return r.itens;
}

Atribuicoes Registro08(QStringView l)
{
    Lista r{QStringLiteral("DEC_VAFDETALHES"), {}};
    r.poe(QStringLiteral("MUNIC_CODIGO"), bruto(l, 19, 21));
    r.poe(QStringLiteral("VALOR"), ValorEm(l, 22, 36));
    r.poe(QStringLiteral("TIPO_DETALHAMENTO"), bruto(l, 37, 38));
    r.poe(QStringLiteral("PERC_MUNIC"), TextoParaPercentual(campo(l, 39, 44)));
    const QStringView computado = campo(l, 44, 58);
    r.poe(QStringLiteral("VALOR_COMPUTADO"), computado.trimmed().isEmpty() ? 0.0 : Valor(computado));
    return r.itens;
}

Atribuicoes Registro09(QStringView l)
{
    int n = codigo(l, 20, 22);
    const double vc = ValorEm(l, 23, 37), bc = ValorEm(l, 38, 52), icms = ValorEm(l, 53, 67);
    // the three code sets differ by 24
    if (n >= 79 + 24 && n <= 124)
        n -= 48;
    else if (n >= 79 && n <= 100)
        n -= 24;
    else if (n >= 175 + 24 && n <= 220)
        n -= 48;
    else if (n >= 175 && n <= 196)
        n -= 24;
    struct Linha {
        int codigo;
        const char *tabela;
        const char *item;
    };
    static const Linha kLinhas[] = {
        {55, "DEC_ENTESTADO", "COMPRAS"},
        {56, "DEC_ENTESTADO", "TRANSFERENCIAS"},
        {57, "DEC_ENTESTADO", "DEVOLUCOES"},
        {58, "DEC_ENTESTADO", "ENERGIA_ELETRICA"},
        {59, "DEC_ENTESTADO", "COMUNICACOES"},
        {60, "DEC_ENTESTADO", "TRANSPORTES"},
        {61, "DEC_ENTESTADO", "OUTRAS"},
        {63, "DEC_ENTOUTROS", "COMPRAS"},
        {64, "DEC_ENTOUTROS", "TRANSFERENCIAS"},
        {65, "DEC_ENTOUTROS", "DEVOLUCOES"},
        {66, "DEC_ENTOUTROS", "ENERGIA_ELETRICA"},
        {67, "DEC_ENTOUTROS", "COMUNICACOES"},
        {68, "DEC_ENTOUTROS", "TRANSPORTES"},
        {69, "DEC_ENTOUTROS", "OUTRAS"},
        {71, "DEC_ENTEXTERIOR", "COMPRAS"},
        {72, "DEC_ENTEXTERIOR", "DEVOLUCOES"},
        {73, "DEC_ENTEXTERIOR", "ENERGIA_ELETRICA"},
        {74, "DEC_ENTEXTERIOR", "COMUNICACOES"},
        {75, "DEC_ENTEXTERIOR", "TRANSPORTES"},
        {76, "DEC_ENTEXTERIOR", "OUTRAS"},
        {151, "DEC_SAIESTADO", "VENDAS"},
        {152, "DEC_SAIESTADO", "TRANSFERENCIAS"},
        {153, "DEC_SAIESTADO", "DEVOLUCOES"},
        {154, "DEC_SAIESTADO", "ENERGIA_ELETRICA"},
        {155, "DEC_SAIESTADO", "COMUNICACOES"},
        {156, "DEC_SAIESTADO", "TRANSPORTES"},
        {157, "DEC_SAIESTADO", "OUTRAS"},
        {159, "DEC_SAIOUTROS", "VENDAS"},
        {160, "DEC_SAIOUTROS", "TRANSFERENCIAS"},
        {161, "DEC_SAIOUTROS", "DEVOLUCOES"},
        {162, "DEC_SAIOUTROS", "ENERGIA_ELETRICA"},
        {163, "DEC_SAIOUTROS", "COMUNICACOES"},
        {164, "DEC_SAIOUTROS", "TRANSPORTES"},
        {165, "DEC_SAIOUTROS", "OUTRAS"},
        {167, "DEC_SAIEXTERIOR", "VENDAS"},
        {168, "DEC_SAIEXTERIOR", "DEVOLUCOES"},
        {169, "DEC_SAIEXTERIOR", "ENERGIA_ELETRICA"},
        {170, "DEC_SAIEXTERIOR", "COMUNICACOES"},
        {171, "DEC_SAIEXTERIOR", "TRANSPORTES"},
        {172, "DEC_SAIEXTERIOR", "OUTRAS"},
    };
    for (const Linha &x : kLinhas) {
        if (x.codigo != n)
            continue;
        const QString tabela = QLatin1String(x.tabela), item = QLatin1String(x.item);
        return {{tabela, item + QStringLiteral("_VC"), vc},
                {tabela, item + QStringLiteral("_BC"), bc},
                {tabela, item + QStringLiteral("_ICMS"), icms}};
    }
    return {};
}

Evento Registro10(QStringView l, const AvisoData &aviso)
{
    const QString linha = l.toString();
    Evento e;
    e.municipio = bruto(l, 3, 5);
    e.exercicioTexto = bruto(l, 19, 22);
    bool ok = false;
    e.exercicio = e.exercicioTexto.trimmed().toInt(&ok);
    if (!ok)
        e.exercicio = 0;
    e.entrega = TextoParaData(bruto(l, 23, 30), linha, aviso);
    e.horaEntrega = TextoParaHora(bruto(l, 31, 36));
    e.processamento = TextoParaData(bruto(l, 37, 44), linha, aviso);
    e.damef = bruto(l, 45, 45);
    e.protocolo = bruto(l, 46, 65);
    e.regimeFinal = bruto(l, 66, 67);
    e.tipo = bruto(l, 68, 68);
    e.substituicao = bruto(l, 69, 69);
    e.entradas = bruto(l, 70, 84);
    e.outrasEntradas = bruto(l, 85, 99);
    e.saidas = bruto(l, 100, 114);
    e.vaf = bruto(l, 115, 129);
    e.respCgcCpf = CamposFixos::texto(l, 130, 143);
    for (int i = 0; i < 5; ++i)
        e.erros[i] = bruto(l, 144 + 2 * i, 145 + 2 * i);
    e.validacao = CamposFixos::texto(l, 159, 183);
    e.regime = Ultimos2(l);
    return e;
}

namespace
{
template <size_t N> bool contem(const char *const (&lista)[N], const QString &codigo)
{
    for (const char *c : lista)
        if (codigo == QLatin1String(c))
            return true;
    return false;
}
} // namespace

bool RecusaDeclaracao(const QString &codigo)
{
    static const char *const recusas[] = {"01", "03", "06", "13", "14", "15", "17", "18"};
    return contem(recusas, codigo);
}

bool RecusaHistorico(const QString &codigo)
{
    static const char *const recusas[] = {"01", "02", "03", "04", "05", "06", "07",
                                          "08", "13", "14", "15", "17", "18"};
    return contem(recusas, codigo);
}

} // namespace RegistrosDeclaracao
