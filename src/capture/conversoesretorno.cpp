#include "capture/conversoesretorno.h"

#include "shell/conversao.h"
#include "shell/orbelerror.h"

#include <cmath>

namespace ConversoesRetorno {

double Valor(QStringView texto)
{
    const QStringView t = texto.trimmed();
    // digits with an optional sign, one decimal comma and an exponent: the decimal point is refused
    qsizetype i = 0;
    bool digitos = false, ok = !t.isEmpty();
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    while (i < t.size() && t[i].isDigit()) {
        ++i;
        digitos = true;
    }
    if (i < t.size() && t[i] == u',') {
        ++i;
        while (i < t.size() && t[i].isDigit()) {
            ++i;
            digitos = true;
        }
    }
    if (ok && digitos && i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        bool expoente = false;
        while (i < t.size() && t[i].isDigit()) {
            ++i;
            expoente = true;
        }
        ok = expoente;
    }
    if (!ok || !digitos || i != t.size())
        throw OrbelError(QStringLiteral("'%1' não é um valor de ponto flutuante válido").arg(texto));
    QString c = t.toString();
    c.replace(u',', u'.');
    return c.toDouble();
}

QString FlagSN(QStringView texto)
{
    return texto.trimmed() == u"S" ? QStringLiteral("S") : QStringLiteral("N");
}

QString SemAspas(QStringView texto)
{
    QString s = texto.trimmed().toString();
    s.remove(u'"');
    return s;
}

QDate TextoParaData(const QString &texto, const QString &linha, const AvisoData &aviso)
{
    if (texto.contains(u'#'))
        return QDate::currentDate();
    QString t = texto;
    while (t.size() < 8)
        t.prepend(u'0');
    const int dia = StrToInt(t.mid(0, 2));
    const int mes = StrToInt(t.mid(2, 2));
    const int ano = StrToInt(t.mid(4, 4));
    const QDate d(ano, mes, dia);
    if (d.isValid())
        return d;
    if (aviso)
        aviso(QStringLiteral("Data incorreta: ") + t + QStringLiteral("\n\rLinha: ") + linha); // the padded text
    return DataZero();
}

QTime TextoParaHora(const QString &texto)
{
    if (texto.contains(u'#'))
        return QTime::currentTime();
    const int h = StrToInt(texto.mid(0, 2));
    const int m = StrToInt(texto.mid(2, 2));
    const int s = StrToInt(texto.mid(4, 2));
    const QTime r(h, m, s);
    if (!r.isValid())
        throw OrbelError(QStringLiteral("Hora inválida: ") + texto);
    return r;
}

double TextoParaPercentual(QStringView seis)
{
    if (seis.trimmed().isEmpty() || seis == u"000000")
        return 0;
    const int inteiro = StrToInt(seis.mid(0, 3).toString());
    const int centesimos = StrToInt(seis.mid(3, 2).toString());
    return std::round((inteiro + centesimos / 100.0) * 10000.0) / 10000.0;
}

} // namespace ConversoesRetorno
