#include "capture/registrosmunicipio.h"

#include "capture/camposfixos.h"
#include "shell/conversao.h"
#include "shell/orbelerror.h"

#include <cmath>

namespace RegistrosMunicipio
{

using namespace ConversoesRetorno;
using CamposFixos::bruto;
using CamposFixos::campo;

Atribuicoes Registro11(QStringView l, const QString &tipoIndice, const AvisoData &aviso)
{
    const QString t = QStringLiteral("MUNIC_VAFA");
    const QString municipio = bruto(l, 3, 5);
    const QString ie = bruto(l, 22, 34), estab = bruto(l, 35, 37), nome = bruto(l, 38, 72);
    // how the record appears in a "Data incorreta" message
    const QString comoLinha =
        QStringLiteral("Grava Reg 11: ") + tipoIndice + ie + municipio + municipio + estab + nome;
    return {{t, QStringLiteral("TIPOINDICE"), tipoIndice},
            {t, QStringLiteral("MUNIC_CODIGO"), municipio},
            {t, QStringLiteral("MUNIC_CODIGO_CONTRIB"), municipio},
            {t, QStringLiteral("VAFA_IE"), ie},
            {t, QStringLiteral("MUNIC_ESTABELECIMENTO"), estab},
            {t, QStringLiteral("VAFA_NOME"), nome},
            {t, QStringLiteral("VAFA_PRIMENTREGA"), TextoParaData(bruto(l, 73, 80), comoLinha, aviso)},
            {t, QStringLiteral("VAFA_CREDITO"), ValorEm(l, 81, 95)},
            {t, QStringLiteral("CNPJ_ESTABELECIMENTO"), bruto(l, 96, 109)},
            {t, QStringLiteral("CNAEF_ID"), bruto(l, 112, 118)},
            {t, QStringLiteral("DESMEMBRAMENTO"), bruto(l, 119, 120)},
            {t, QStringLiteral("REG_CODIGO"), bruto(l, 121, 122)}};
}

Atribuicoes Registro12ou13(QStringView l, const QString &tipoIndice)
{
    const QString t = QStringLiteral("MUNIC_VAFB");
    return {
        {t, QStringLiteral("VAFB_INDICE"), tipoIndice},
        {t, QStringLiteral("VAFB_CREDDEB"), l.startsWith(u"12") ? QStringLiteral("D") : QStringLiteral("C")},
        {t, QStringLiteral("MUNIC_ORIGEM"), bruto(l, 3, 5)},
        {t, QStringLiteral("MUNIC_DESTINO"), bruto(l, 19, 21)},
        {t, QStringLiteral("VAFB_VALOR_AF"), ValorEm(l, 22, 36)},
        {t, QStringLiteral("VAFB_VALOR_TALMO"), ValorEm(l, 37, 51)},
        {t, QStringLiteral("VAFB_VALOR"), ValorEm(l, 52, 66)}};
}

QString TextoIndice(QStringView nove)
{
    const int inteiro = StrToInt(nove.mid(0, 2).toString());
    const QString decimais = nove.mid(2, 7).toString();
    StrToInt(decimais); // must be digits
    QString d = decimais;
    while (d.endsWith(u'0'))
        d.chop(1);
    return d.isEmpty() ? QString::number(inteiro) : QString::number(inteiro) + u',' + d;
}

Atribuicoes Registro16ou17(QStringView l)
{
    const QString t = QStringLiteral("MUNIC_INDICES");
    Atribuicoes a{
        {t, QStringLiteral("INDICE_CODIGO"), l.startsWith(u"16") ? QStringLiteral("P") : QStringLiteral("D")},
        {t, QStringLiteral("MUNIC_CODIGO"), bruto(l, 3, 5)}};
    static const struct {
        const char *coluna;
        int de, ate;
    } kValores[] = {{"VAFAPROPRIO", 19, 33},     {"VAFACREDEXT", 34, 48},       {"VAFBCREDINT", 49, 63},
                    {"VAFBCREDPROP", 64, 78},    {"VAFBDEB", 79, 93},           {"ACERTOCRED", 94, 108},
                    {"ACERTODEB", 109, 123},     {"VALLIQUIDO", 124, 138},      {"VAFESTADUAL", 148, 163},
                    {"VAFB_VALOR_AF", 164, 178}, {"VAFB_VALOR_TALMO", 179, 193}};
    for (const auto &v : kValores)
        a.append({t, QLatin1String(v.coluna), ValorEm(l, v.de, v.ate)});
    a.append({t, QStringLiteral("INDICE"), TextoIndice(campo(l, 139, 147))});
    return a;
}

Totais Registro99(QStringView l)
{
    Totais t;
    t.municipio = campo(l, 3, 5).trimmed().toString();
    t.totalReg = campo(l, 19, 27).trimmed().toString();
    t.totalVaf = Valor(campo(l, 28, 43));
    t.dataInicio = campo(l, 44, 53).trimmed().toString();
    t.dataFim = campo(l, 54, 63).trimmed().toString();
    return t;
}

} // namespace RegistrosMunicipio
