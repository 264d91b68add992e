#include "capture/tiporegistro.h"

#include "capture/camposfixos.h"
#include "capture/conversoesretorno.h"
#include "data/insercaoemlote.h"
#include "shell/orbelerror.h"

using CamposFixos::bruto;
using CamposFixos::campo;
using ConversoesRetorno::ValorEm;

namespace
{

const char *tabelaDetalhe(QStringView tipo)
{
    if (tipo == u"15")
        return "DEC_DET_SERVICO_TRANSPORTE";
    if (tipo == u"18")
        return "DEC_DET_SERVICO_COMUNICACAO";
    if (tipo == u"19")
        return "DEC_DET_MERCADORIA_SEM_NOTA";
    if (tipo == u"20")
        return "DEC_DET_PRODUCAO_RURAL";
    if (tipo == u"21")
        return "DEC_DET_REFEICAO_OUTRO_MUNIC";
    if (tipo == u"22")
        return "DEC_DET_AMBULANTES";
    return nullptr;
}

const char *const kTotaisSN[] = {"DEC_TOTAL_RECEITA_BRUTA",      "DEC_TOTAL_TRANSF_MERCADORIA",
                                 "DEC_TOTAL_AUTUACOES",          "DEC_TOTAL_AQUIS_MERC_RURAL",
                                 "DEC_TOTAL_PROD_RURAL",         "DEC_TOTAL_SERVICO_COMUNICACAO",
                                 "DEC_TOTAL_SERVICO_TRANSPOTE",  "DEC_TOTAL_AMBULANTES",
                                 "DEC_TOTAL_REFEICAO_OUT_MUNIC", "DEC_TOTAL_AQUIS_DISP_NOTA"};
} // namespace

TTipoRegistro::TTipoRegistro(QStringView l, double decId)
    : m_tipo(bruto(l, 1, 2)), m_municipio(bruto(l, 3, 5)), m_ie(bruto(l, 6, 18)), m_decId(decId)
{
}

void TTipoRegistro::Grava(InsercaoEmLote &comando) const
{
    comando.limpa();
    AtribuiParametros(comando);
    comando.executa();
}

std::unique_ptr<TTipoRegistro> TTipoRegistro::Cria(QStringView l, double decId)
{
    const QStringView tipo = campo(l, 1, 2);
    if (tipo == u"14")
        return std::make_unique<TTipoRegistro14>(l, decId);
    if (const char *tabela = tabelaDetalhe(tipo))
        return std::make_unique<TTipoRegistro14>(l, decId, tabela);
    if (tipo == u"23")
        return std::make_unique<TTipoRegistro23>(l, decId);
    if (tipo == u"24")
        return std::make_unique<TTipoRegistro24>(l, decId);
    if (tipo == u"25")
        return std::make_unique<TTipoRegistro25>(l, decId);
    if (tipo == u"35")
        return std::make_unique<TTipoRegistro35>(l, decId);
    if (tipo == u"40")
        return std::make_unique<TTipoRegistro40>(l, decId);
    return nullptr;
}

TTipoRegistro14::TTipoRegistro14(QStringView l, double decId, const char *tabela)
    : TTipoRegistro(l, decId), m_tabela(QLatin1String(tabela)), m_municDetalhamento(bruto(l, 19, 21)),
      m_municEstabelecimento(bruto(l, 37, 39)), m_cnpj(bruto(l, 40, 53)), m_valorMunicipio(ValorEm(l, 22, 36))
{
}

QString TTipoRegistro14::DefineSQL() const
{
    return QStringLiteral(
               "INSERT INTO %1 (DEC_ID, MUNIC_CONTRIBUINTE, IE, MUNIC_DETALHAMENTO, VALOR_MUNICIPIO, "
               "MUNIC_ESTABELECIMENTO, CNPJ_ESTABELECIMENTO) VALUES (:DEC_ID, :MUNIC_CONTRIBUINTE, :IE, "
               ":MUNIC_DETALHAMENTO, :VALOR_MUNICIPIO, :MUNIC_ESTABELECIMENTO, :CNPJ_ESTABELECIMENTO)")
        .arg(m_tabela);
}

void TTipoRegistro14::AtribuiParametros(InsercaoEmLote &c) const
{
    c.setDouble(QStringLiteral("DEC_ID"), m_decId);
    c.setTexto(QStringLiteral("MUNIC_CONTRIBUINTE"), m_municipio);
    c.setTexto(QStringLiteral("IE"), m_ie);
    c.setTexto(QStringLiteral("MUNIC_DETALHAMENTO"), m_municDetalhamento);
    c.setDouble(QStringLiteral("VALOR_MUNICIPIO"), m_valorMunicipio);
    c.setTexto(QStringLiteral("MUNIC_ESTABELECIMENTO"), m_municEstabelecimento);
    c.setTexto(QStringLiteral("CNPJ_ESTABELECIMENTO"), m_cnpj);
}

QString TTipoRegistro23::Combina(QStringView registro, const RegistrosDeclaracao::ValoresAnteriores &a)
{
    auto quinze = [](const QString &s) { return s.leftJustified(15, u' ', true); };
    return registro.toString() + quinze(a.vaf) + quinze(a.outras) + quinze(a.entradas) + quinze(a.saidas);
}

TTipoRegistro23::TTipoRegistro23(QStringView l, double decId)
    : TTipoRegistro(l, decId), m_munic(bruto(l, 19, 21))
{
    ValorEm(l, 22, 36); // not stored, but it must be an amount
    m_totalVaf = ValorEm(l, 37, 51);
    m_outrasEntradas = ValorEm(l, 52, 66);
    m_vafAnterior = ValorEm(l, 71, 85);
    ValorEm(l, 86, 100);
    m_entradasAnterior = ValorEm(l, 101, 115);
    m_saidasAnterior = ValorEm(l, 116, 130);
}

QString TTipoRegistro23::DefineSQL() const
{
    return QStringLiteral(
        "INSERT INTO DEC_VAF (DEC_ID, OUTRAS_ENTRADAS_VAF, TOTAL_ENTRADAS_VAF, TOTAL_GERAL_VAF, "
        "TOTAL_GERAL_VAF_ANO_ANTERIOR, TOTAL_GERAL_OUTRAS_ENTRADAS_ANT, TOTAL_GERAL_ENTRADAS_ANT, "
        "TOTAL_GERAL_SAIDAS_ANT, "
        "MUNIC_CODIGO, REG_CODIGO) VALUES (:DEC_ID, :OUTRAS_ENTRADAS_VAF, :TOTAL_ENTRADAS_VAF, "
        ":TOTAL_GERAL_VAF, "
        ":TOTAL_GERAL_VAF_ANO_ANTERIOR, :TOTAL_GERAL_OUTRAS_ENTRADAS_ANT, :TOTAL_GERAL_ENTRADAS_ANT, "
        ":TOTAL_GERAL_SAIDAS_ANT, :MUNIC_CODIGO, :REG_CODIGO)");
}

void TTipoRegistro23::AtribuiParametros(InsercaoEmLote &c) const
{
    c.setDouble(QStringLiteral("DEC_ID"), m_decId);
    c.setDouble(QStringLiteral("OUTRAS_ENTRADAS_VAF"), m_outrasEntradas);
    c.setDouble(QStringLiteral("TOTAL_ENTRADAS_VAF"), m_outrasEntradas);
    c.setDouble(QStringLiteral("TOTAL_GERAL_VAF"), m_totalVaf);
    c.setDouble(QStringLiteral("TOTAL_GERAL_VAF_ANO_ANTERIOR"), m_vafAnterior);
    c.setDouble(QStringLiteral("TOTAL_GERAL_OUTRAS_ENTRADAS_ANT"), m_entradasAnterior);
    c.setDouble(QStringLiteral("TOTAL_GERAL_ENTRADAS_ANT"), m_entradasAnterior);
    c.setDouble(QStringLiteral("TOTAL_GERAL_SAIDAS_ANT"), m_saidasAnterior);
    c.setTexto(QStringLiteral("MUNIC_CODIGO"), m_munic);
    c.setTexto(QStringLiteral("REG_CODIGO"), QStringLiteral("58"));
}

TTipoRegistro24::TTipoRegistro24(QStringView l, double decId)
    : TTipoRegistro(l, decId), m_transferencia(ValorEm(l, 19, 33)), m_autoInfracao(ValorEm(l, 34, 48))
{
}

QString TTipoRegistro24::DefineSQL() const
{
    return QStringLiteral(
        "INSERT INTO DEC_DET_TRANSF_MERC_INFRACAO (DEC_ID, MUNIC_CONTRIBUINTE, IE, "
        "MUNIC_ESTABELECIMENTO, VALOR_TRANS_MERCADORIA, VALOR_AUTO_INFRACAO) VALUES (:DEC_ID, "
        ":MUNIC_CONTRIBUINTE, :IE, :MUNIC_ESTABELECIMENTO, :VALOR_TRANS_MERCADORIA, :VALOR_AUTO_INFRACAO)");
}

void TTipoRegistro24::AtribuiParametros(InsercaoEmLote &c) const
{
    c.setDouble(QStringLiteral("DEC_ID"), m_decId);
    c.setTexto(QStringLiteral("MUNIC_CONTRIBUINTE"), m_municipio);
    c.setTexto(QStringLiteral("IE"), m_ie);
    c.setTexto(QStringLiteral("MUNIC_ESTABELECIMENTO"), m_municipio); // the taxpayer's own municipality
    c.setDouble(QStringLiteral("VALOR_TRANS_MERCADORIA"), m_transferencia);
    c.setDouble(QStringLiteral("VALOR_AUTO_INFRACAO"), m_autoInfracao);
}

TTipoRegistro25::TTipoRegistro25(QStringView l, double decId) : TTipoRegistro(l, decId)
{
    for (int i = 0; i < 10; ++i)
        m_valores[i] = ValorEm(l, 19 + 13 * i, 31 + 13 * i);
}

QString TTipoRegistro25::DefineSQL() const
{
    QStringList colunas{QStringLiteral("DEC_ID")}, parametros{QStringLiteral(":DEC_ID")};
    for (const char *c : kTotaisSN) {
        colunas << QLatin1String(c);
        parametros << u':' + QLatin1String(c);
    }
    return QStringLiteral("INSERT INTO DEC_TOTAL_SN (%1) VALUES (%2)")
        .arg(colunas.join(u','), parametros.join(u','));
}

void TTipoRegistro25::AtribuiParametros(InsercaoEmLote &c) const
{
    c.setDouble(QStringLiteral("DEC_ID"), m_decId);
    for (int i = 0; i < 10; ++i)
        c.setDouble(QLatin1String(kTotaisSN[i]), m_valores[i]);
}

TTipoRegistro35::TTipoRegistro35(QStringView l, double decId)
    : TTipoRegistro(l, decId), m_municEstabelecimento(bruto(l, 35, 37)),
      m_nome(campo(l, 38, 72).trimmed().toString()), m_cnpj(bruto(l, 96, 109))
{
    m_ie = bruto(l, 22, 34);
    // read as the short date format reads "dd/mm/yyyy": an impossible date fails the record
    const QString d = bruto(l, 73, 80);
    m_primeiraEntrega = QDate::fromString(d, QStringLiteral("ddMMyyyy"));
    if (!m_primeiraEntrega.isValid())
        throw OrbelError(
            QStringLiteral("'%1/%2/%3' não é uma data válida").arg(d.mid(0, 2), d.mid(2, 2), d.mid(4, 4)));
    m_credito = ValorEm(l, 81, 95);
}

namespace
{
// VAF_MUDANCA_MUNIC and DEC_SIMEI share their columns; the first carries the VMM_ prefix.
const char *const kColunasMudanca[] = {
    "COD_MUNIC_CONTRIBUINTE", "IE",          "COD_MUNIC_ESTABELECIMEN", "NOME_CONTRIBUINTE",
    "DT_PRIMEIRA_ENTREGA",    "VLR_CREDITO", "CNPJ_CONTRIBUINTE"};
} // namespace

QString TTipoRegistro35::DefineSQL() const
{
    QStringList colunas, parametros;
    for (const char *c : kColunasMudanca) {
        colunas << prefixo() + QLatin1String(c);
        parametros << u':' + prefixo() + QLatin1String(c);
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(tabela(), colunas.join(u','), parametros.join(u','));
}

void TTipoRegistro35::AtribuiParametros(InsercaoEmLote &c) const
{
    const QString p = prefixo();
    c.setTexto(p + QLatin1String(kColunasMudanca[0]), m_municipio);
    c.setTexto(p + QLatin1String(kColunasMudanca[1]), m_ie);
    c.setTexto(p + QLatin1String(kColunasMudanca[2]), m_municEstabelecimento);
    c.setTexto(p + QLatin1String(kColunasMudanca[3]), m_nome);
    c.setData(c.indice(p + QLatin1String(kColunasMudanca[4])), m_primeiraEntrega);
    c.setDouble(p + QLatin1String(kColunasMudanca[5]), m_credito);
    c.setTexto(p + QLatin1String(kColunasMudanca[6]), m_cnpj);
}
