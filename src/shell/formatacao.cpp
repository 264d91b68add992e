#include "shell/formatacao.h"

#include "shell/orbelerror.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace Formatacao
{

void aplicaLocalidade()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCoreApplication::setApplicationName(QStringLiteral("ORBEL"));
}

QString data(const QDate &d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}
QString hora(const QTime &t)
{
    return t.isValid() ? t.toString(QStringLiteral("hh:mm:ss")) : QString();
}
QString dataHora(const QDateTime &dt)
{
    return data(dt.date()) + u' ' + hora(dt.time());
}

QString agora()
{
    return dataHora(QDateTime::currentDateTime());
}

QString duracao(qint64 ms)
{
    // shown as a time of day: hours beyond a day wrap around
    const qint64 s = std::max<qint64>(0, ms / 1000);
    return QStringLiteral("%1:%2:%3")
        .arg((s / 3600) % 24, 2, 10, QLatin1Char('0'))
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString dataServidor(const QDate &d)
{
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}
QString horaServidor(const QTime &t)
{
    return t.toString(QStringLiteral("hh:mm:ss"));
}

QDate leData(const QString &texto)
{
    const QStringList p = texto.trimmed().split(u'/');
    bool ok1 = false, ok2 = false, ok3 = false;
    if (p.size() == 3) {
        const int d = p[0].toInt(&ok1), m = p[1].toInt(&ok2);
        int a = p[2].toInt(&ok3);
        if (p[2].trimmed().size() <= 2) // "05/03/24": the current century
            a += QDate::currentDate().year() / 100 * 100;
        const QDate r(a, m, d);
        if (ok1 && ok2 && ok3 && r.isValid())
            return r;
    }
    throw OrbelError(QStringLiteral("'%1' não é uma data válida").arg(texto));
}

namespace
{

// Splits a picture into its sections; a ';' inside quotes belongs to the text.
QStringList secoes(const QString &formato)
{
    QStringList r(QString{});
    QChar aspas;
    for (const QChar c : formato) {
        if (!aspas.isNull()) {
            if (c == aspas)
                aspas = QChar();
        } else if (c == u'"' || c == u'\'') {
            aspas = c;
        } else if (c == u';') {
            r.append(QString());
            continue;
        }
        r.last().append(c);
    }
    return r;
}

// What one section asks for: digits before and after the point, grouping, and the text
// standing before and after the number.
struct Secao {
    QString antes, depois;
    bool temDigitos = false;
    bool agrupa = false;
    bool vazia = false;  // no text at all: falls back on the first section
    int minInteiros = 0; // placeholders from the first '0' of the integer part to the point
    int minCasas = 0;    // up to the last '0' after the point
    int maxCasas = 0;
};

Secao analisa(const QString &texto)
{
    Secao s;
    bool depoisDoPonto = false, zeroInteiro = false;
    QChar aspas;
    for (const QChar c : texto) {
        QString &literal = s.temDigitos ? s.depois : s.antes;
        if (!aspas.isNull()) {
            if (c == aspas)
                aspas = QChar();
            else
                literal.append(c);
        } else if (c == u'"' || c == u'\'') {
            aspas = c;
        } else if (c == u'#' || c == u'0') {
            s.temDigitos = true;
            if (depoisDoPonto) {
                ++s.maxCasas;
                if (c == u'0')
                    s.minCasas = s.maxCasas;
            } else {
                zeroInteiro = zeroInteiro || c == u'0';
                if (zeroInteiro)
                    ++s.minInteiros;
            }
        } else if (c == u'.' && !depoisDoPonto) {
            depoisDoPonto = true;
        } else if (c == u',') {
            s.agrupa = true;
        } else {
            literal.append(c);
        }
    }
    return s;
}

// |valor| rounded half away from zero to `casas` decimals, as integer and decimal digits.
// Only the 15 significant digits a double holds are used, so 2.675 is taken as written and
// not as 2.67499999... it is stored as.
void arredonda(double valor, int casas, QString *inteiros, QString *decimais)
{
    const QString e = QString::number(std::fabs(valor), 'e', 14); // d.dddddddddddddde+XX
    QString digitos = e.left(1) + e.mid(2, 14);
    int pontoEm = e.mid(e.indexOf(u'e') + 1).toInt() + 1; // digits before the point
    if (pontoEm < 0) {                                    // 0.000ddd: bring the leading zeros in
        digitos.prepend(QString(-pontoEm, u'0'));
        pontoEm = 0;
    }
    const int fica = pontoEm + casas;
    if (digitos.size() < fica)
        digitos.append(QString(fica - digitos.size(), u'0'));
    const bool sobe = fica < digitos.size() && digitos[fica] >= u'5';
    digitos.truncate(fica);
    if (sobe) {
        int i = fica - 1;
        for (; i >= 0 && digitos[i] == u'9'; --i)
            digitos[i] = u'0';
        if (i >= 0) {
            digitos[i] = QChar(digitos[i].unicode() + 1);
        } else {
            digitos.prepend(u'1');
            ++pontoEm;
        }
    }
    *inteiros = digitos.left(pontoEm);
    *decimais = digitos.mid(pontoEm);
}

} // namespace

QString mascara(double valor, const QString &formato)
{
    if (!std::isfinite(valor))
        return QString::number(valor);
    // a report formats every cell with one of a handful of pictures: each is read once
    thread_local QHash<QString, QVector<Secao>> lidas;
    auto it = lidas.constFind(formato);
    if (it == lidas.constEnd()) {
        if (lidas.size() > 256)
            lidas.clear();
        QVector<Secao> v;
        for (const QString &t : secoes(formato)) {
            v.append(analisa(t));
            v.last().vazia = t.isEmpty();
        }
        it = lidas.insert(formato, v);
    }
    const QVector<Secao> &todas = *it;
    // positive;negative;zero - an empty or missing section falls back on the first
    int escolhida = 0;
    if (valor == 0 && todas.size() >= 3 && !todas[2].vazia)
        escolhida = 2;
    else if (valor < 0 && todas.size() >= 2 && !todas[1].vazia)
        escolhida = 1;
    const Secao &s = todas[escolhida];
    if (!s.temDigitos)
        return s.antes;

    QString inteiros, decimais;
    arredonda(valor, s.maxCasas, &inteiros, &decimais);
    const auto zero = [](const QString &t) {
        return std::all_of(t.begin(), t.end(), [](QChar c) { return c == u'0'; });
    };
    const bool tudoZero = zero(inteiros) && zero(decimais);
    while (inteiros.startsWith(u'0'))
        inteiros.remove(0, 1);
    if (inteiros.size() < s.minInteiros)
        inteiros.prepend(QString(s.minInteiros - inteiros.size(), u'0'));
    if (s.agrupa)
        for (int i = int(inteiros.size()) - 3; i > 0; i -= 3)
            inteiros.insert(i, u'.');
    while (decimais.size() > s.minCasas && decimais.endsWith(u'0'))
        decimais.chop(1);

    // the negative section carries its own sign; a value that rounds to zero has none
    const bool sinal = valor < 0 && escolhida == 0 && !tudoZero;
    QString r = (sinal ? QStringLiteral("-") : QString()) + s.antes + inteiros;
    if (!decimais.isEmpty())
        r += u',' + decimais;
    return r + s.depois;
}

QString numeroGeral(double valor)
{
    if (!std::isfinite(valor))
        return QString::number(valor);
    if (valor == 0)
        return QStringLiteral("0"); // also -0
    QString r = QString::number(valor, 'g', 15);
    const qsizetype e = r.indexOf(u'e');
    if (e >= 0) {
        // "1.5e+20" -> "1,5E20", "1e-06" -> "1E-6"
        const int expoente = r.mid(e + 1).toInt();
        r = r.left(e) + u'E' + QString::number(expoente);
    }
    r.replace(u'.', u',');
    return r;
}

QString numeroDecimal(double valor)
{
    return QString::number(valor, 'g', 15).replace(u'.', u',');
}

QString textoSimples(const QVariant &valor)
{
    if (valor.isNull() || !valor.isValid())
        return {};
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return data(valor.toDate());
    case QMetaType::QTime:
        return hora(valor.toTime());
    case QMetaType::QDateTime: {
        // a moment at midnight is a date alone
        const QDateTime dt = valor.toDateTime();
        return dt.time() == QTime(0, 0) ? data(dt.date()) : dataHora(dt);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return numeroGeral(valor.toDouble());
    default:
        return valor.toString();
    }
}

} // namespace Formatacao
