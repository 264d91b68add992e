#include "capture/linhaativo.h"

#include "capture/camposfixos.h"
#include "shell/win1252.h"

namespace
{

using CamposFixos::campo;
using CamposFixos::texto;

QString semAspas(QString s)
{
    s.remove(u'"');
    return s;
}

// Name fields: trimmed, without double quotes, upper case, trimmed again.
QString nomeLimpo(QStringView linha, int a, int b)
{
    return Win1252::maiusculas(semAspas(texto(linha, a, b))).trimmed();
}

// Parts trimmed, joined by one blank (empty parts too), quotes removed, upper case, trimmed.
QString compoe(QStringView linha, std::initializer_list<std::pair<int, int>> partes)
{
    QString r;
    bool primeiro = true;
    for (const auto &p : partes) {
        if (!primeiro)
            r += u' ';
        primeiro = false;
        r += campo(linha, p.first, p.second).trimmed();
    }
    return Win1252::maiusculas(semAspas(r)).trimmed();
}

const char *const kNomes[] = {"MUNIC_CODIGO",
                              "IE",
                              "CNAEF_ID",
                              "DESMEMBRAMENTO",
                              "CODUF",
                              "NOMECOMER",
                              "NRCRC",
                              "UFCRC",
                              "CPFCONTAD",
                              "CGCCONTAD",
                              "ENDERECO",
                              "BAIRROCONTRIBUINTE",
                              "CEP",
                              "NOMCONTAD",
                              "DDDCONTAD",
                              "TELEFCONTAD",
                              "RAMALCONTAD",
                              "VLADICANT",
                              "OUTENTANT",
                              "REGRECATU",
                              "ENDCONTADOR",
                              "UFCONTAD",
                              "NOMEMUNICCONTAD",
                              "BAIRROCONTAD",
                              "CEPCONTAD",
                              "MAILRESPONSAVEL",
                              "MUNIC_ANTERIOR_CONTRIB",
                              "ENTRADAANT",
                              "SAIDAANT",
                              "OBRIGADO",
                              "CNPJ"};
static_assert(sizeof kNomes / sizeof kNomes[0] == LinhaAtivo::TotalColunas);

} // namespace

const char *LinhaAtivo::nome(int coluna)
{
    return kNomes[coluna];
}

bool LinhaAtivo::numerica(int coluna)
{
    return coluna == VLADICANT || coluna == OUTENTANT || coluna == ENTRADAANT || coluna == SAIDAANT;
}

QString LinhaAtivo::municipio(QStringView linha)
{
    return texto(linha, 517, 519);
}

LinhaAtivo LinhaAtivo::le(QStringView l)
{
    LinhaAtivo a;
    auto &v = a.valores;
    v[IE] = texto(l, 1, 13);
    v[CODUF] = texto(l, 14, 15);
    v[NOMECOMER] = nomeLimpo(l, 16, 75);
    v[ENDERECO] = compoe(l, {{242, 244},
                             {279, 292},
                             {245, 278},
                             {232, 236},
                             {76, 77},
                             {82, 131},
                             {78, 79},
                             {132, 181},
                             {80, 81},
                             {182, 231}});
    v[NRCRC] = texto(l, 293, 298);
    v[UFCRC] = Win1252::maiusculas(campo(l, 299, 300)).trimmed();
    v[CPFCONTAD] = texto(l, 301, 311);
    v[CGCCONTAD] = texto(l, 312, 325);
    v[NOMCONTAD] = nomeLimpo(l, 326, 358);
    v[ENDCONTADOR] = compoe(l, {{390, 392},
                                {427, 440},
                                {393, 426},
                                {380, 384},
                                {365, 369},
                                {359, 360},
                                {370, 374},
                                {361, 362},
                                {375, 379},
                                {363, 364}});
    v[DDDCONTAD] = texto(l, 442, 443);
    v[TELEFCONTAD] = texto(l, 444, 452);
    v[RAMALCONTAD] = texto(l, 453, 456);
    v[CEPCONTAD] = texto(l, 457, 464);
    v[VLADICANT] = texto(l, 461, 475);
    v[REGRECATU] = texto(l, 476, 477);
    v[OUTENTANT] = texto(l, 488, 502);
    v[CEP] = texto(l, 510, 517);
    v[MUNIC_CODIGO] = texto(l, 517, 519);
    v[CNAEF_ID] = texto(l, 520, 526);
    v[DESMEMBRAMENTO] = texto(l, 527, 528);
    v[UFCONTAD] = semAspas(texto(l, 540, 541));
    v[NOMEMUNICCONTAD] = Win1252::maiusculas(campo(l, 542, 571)).trimmed();
    v[BAIRROCONTAD] = Win1252::maiusculas(campo(l, 572, 591)).trimmed();
    v[BAIRROCONTRIBUINTE] = Win1252::maiusculas(texto(l, 600, 619)).trimmed();
    v[MAILRESPONSAVEL] = texto(l, 620, 669).toLower();
    v[MUNIC_ANTERIOR_CONTRIB] = texto(l, 670, 672);
    v[ENTRADAANT] = texto(l, 673, 687);
    v[SAIDAANT] = texto(l, 688, 702);
    v[CNPJ] = texto(l, 703, 716);
    v[OBRIGADO] = QStringLiteral("S");
    return a;
}
