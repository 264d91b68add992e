#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

// The one home of pt-BR formatting: dates "dd/mm/yyyy", decimal comma, thousands full stop, and
// the picture masks of the reports ("###,###,###,##0", "###,###,###,##0.00", "...;---;---").
namespace Formatacao
{

// Regional settings of the whole process: Portuguese (Brazil), application name "ORBEL".
void aplicaLocalidade();

QString data(const QDate &d);          // dd/MM/yyyy
QString hora(const QTime &t);          // hh:mm:ss
QString dataHora(const QDateTime &dt); // dd/MM/yyyy hh:mm:ss
QString agora();                       // the current moment as dataHora writes it (log lines)
// Parses dd/mm/yyyy (a two-digit year is of the current century); raises OrbelError "'x' não é uma data
// válida" otherwise.
QDate leData(const QString &texto);

// An elapsed time in milliseconds as hh:mm:ss, shown as a time of day: hours beyond a day wrap.
QString duracao(qint64 ms);

// Forms the server takes dates and times in, as text.
QString dataServidor(const QDate &d); // dd.MM.yyyy
QString horaServidor(const QTime &t); // hh:mm:ss

// Delphi-style picture: '#' and '0' digits, ',' groups thousands (shown "."), '.' is the decimal
// point (shown ","); up to three sections "positive;negative;zero", a section without digits is
// printed as it stands; an empty section falls back on the first. Quoted and other characters are
// copied. Halves round away from zero on the value's 15 significant digits.
QString mascara(double valor, const QString &formato);

// A number in general form: at most 15 significant digits, decimal comma, no thousands separator,
// no trailing zeros (1234,5; 0; -87,25); scientific notation (1,5E20) only beyond 15 integer digits
// or below 0,00001.
QString numeroGeral(double valor);
// The shortest text of a value to 15 significant digits with a decimal comma, in the engine's own
// notation: "1234,5", "1,5e+20", "1e-06". Unlike numeroGeral it keeps the lower-case exponent with
// its sign and zeros; it is the form values are carried in and shown in when no mask is set.
QString numeroDecimal(double valor);
// The plain text of a value as a field shows it without a mask, and as CSV files hold it: dates
// dd/mm/yyyy, times hh:mm:ss, numbers in general form, text unchanged, null empty.
QString textoSimples(const QVariant &valor);

} // namespace Formatacao
