#pragma once

#include "capture/conversoesretorno.h"
#include "capture/registrosdeclaracao.h"

#include <QStringView>

// Municipality-level records of the return file: VAF A (11), VAF B (12 debit, 13 credit),
// indices (16 provisional, 17 definitive) and totals (99).
namespace RegistrosMunicipio
{

using RegistrosDeclaracao::Atribuicoes;

// `tipoIndice` is the file's index type, "P" or "D".
Atribuicoes Registro11(QStringView linha, const QString &tipoIndice,
                       const ConversoesRetorno::AvisoData &aviso);
Atribuicoes Registro12ou13(QStringView linha, const QString &tipoIndice);
Atribuicoes Registro16ou17(QStringView linha);
// Positions 1-2 integer part, 3-9 seven decimals, as the shortest text with a decimal comma.
QString TextoIndice(QStringView nove);

struct Totais {
    QString municipio;
    QString totalReg;
    double totalVaf = 0; // bound as a value: a decimal comma cannot break the statement
    QString dataInicio;
    QString dataFim;
};
Totais Registro99(QStringView linha);

} // namespace RegistrosMunicipio
