#include "capture/conversoesretorno.h"

#include "capture/camposfixos.h"
#include "shell/conversao.h"
#include "shell/orbelerror.h"

#include <cmath>

namespace ConversoesRetorno
{

double Valor(QStringView texto)
{
    const QStringView t = texto.trimmed();
    // digits with an optional sign, one decimal comma and an exponent: the decimal point is refused
    qsizetype i = 0;
    bool digitos = false, ok = !t.isEmpty(), negativo = false, expoente = false;
    qint64 mantissa = 0;
    int algarismos = 0, decimais = 0;
    auto digito = [&](bool fracao) {
        mantissa = mantissa * 10 + (t[i].unicode() - u'0');
        if (mantissa != 0 || algarismos)
            ++algarismos;
        decimais += fracao;
        ++i;
        digitos = true;
    };
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        negativo = t[i++] == u'-';
    while (i < t.size() && t[i].unicode() >= u'0' && t[i].unicode() <= u'9' && algarismos < 18)
        digito(false);
    while (i < t.size() && t[i].isDigit()) { // beyond 18 significant digits: validated only
        ++i;
        algarismos = 99;
    }
    if (i < t.size() && t[i] == u',') {
        ++i;
        while (i < t.size() && t[i].unicode() >= u'0' && t[i].unicode() <= u'9' && algarismos < 18)
            digito(true);
        while (i < t.size() && t[i].isDigit()) {
            ++i;
            digitos = true;
            algarismos = 99;
        }
    }
    if (ok && digitos && i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        bool comExpoente = false;
        while (i < t.size() && t[i].isDigit()) {
            ++i;
            comExpoente = true;
        }
        ok = comExpoente;
        expoente = true;
    }
    if (!ok || !digitos || i != t.size())
        throw OrbelError(QStringLiteral("'%1' não é um valor de ponto flutuante válido").arg(texto));
    // Up to 15 significant digits an integer divided by a power of ten is exact and correctly
    // rounded, the same double as the general conversion gives, without building a string.
    static const double potencias[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                       1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
    if (!expoente && algarismos <= 15 && decimais <= 18) {
        const double v = double(mantissa) / potencias[decimais];
        return negativo ? -v : v;
    }
    QString c = t.toString();
    c.replace(u',', u'.');
    return c.toDouble();
}

double ValorEm(QStringView linha, int primeira, int ultima)
{
    return Valor(CamposFixos::campo(linha, primeira, ultima));
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
        aviso(QStringLiteral("Data incorreta: ") + t + QStringLiteral("\n\rLinha: ") +
              linha); // the padded text
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
