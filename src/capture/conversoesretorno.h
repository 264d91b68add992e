#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>
#include <functional>

// Field conversions of the return file's records. A conversion that cannot read its field raises
// OrbelError and the record fails; only a well-formed but impossible date is reported and replaced.
namespace ConversoesRetorno
{

// Leading/trailing blanks, a sign, digits, a decimal comma and an exponent; nothing else.
double Valor(QStringView texto);
// The amount at positions primeira..ultima of a line (1-based, inclusive).
double ValorEm(QStringView linha, int primeira, int ultima);
// Trimmed; anything other than "S" becomes "N".
QString FlagSN(QStringView texto);
// Trimmed, then every double quote removed.
QString SemAspas(QStringView texto);

// Called with "Data incorreta: " + text + LF CR + "Linha: " + line when a date is impossible.
using AvisoData = std::function<void(const QString &mensagem)>;
// Day, month, year (DDMMYYYY), left-padded with "0"; "#" anywhere means today. An impossible date
// is reported through `aviso` and becomes the zero date 30/12/1899.
QDate TextoParaData(const QString &texto, const QString &linha, const AvisoData &aviso);
// HHMMSS; "#" anywhere means now.
QTime TextoParaHora(const QString &texto);
// Six characters, the sixth ignored: 3 integer digits and 2 of hundredths ("01234" is 12.34).
double TextoParaPercentual(QStringView seis);

// The zero date of the program's dates.
inline QDate DataZero()
{
    return QDate(1899, 12, 30);
}

} // namespace ConversoesRetorno
