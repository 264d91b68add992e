#include "shell/formatacao.h"

#include "shell/orbelerror.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <cmath>

namespace Formatacao {

void aplicaLocalidade()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCoreApplication::setApplicationName(QStringLiteral("ORBEL"));
}

QString data(const QDate &d) { return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(); }
QString hora(const QTime &t) { return t.isValid() ? t.toString(QStringLiteral("hh:mm:ss")) : QString(); }
QString dataHora(const QDateTime &dt) { return data(dt.date()) + u' ' + hora(dt.time()); }
QString dataServidor(const QDate &d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }
QString horaServidor(const QTime &t) { return t.toString(QStringLiteral("hh:mm:ss")); }

QDate leData(const QString &texto)
{
    const QStringList p = texto.trimmed().split(u'/');
    bool ok1 = false, ok2 = false, ok3 = false;
    if (p.size() == 3) {
        const int d = p[0].toInt(&ok1), m = p[1].toInt(&ok2), a = p[2].toInt(&ok3);
        const QDate r(a, m, d);
        if (ok1 && ok2 && ok3 && r.isValid())
            return r;
    }
    throw OrbelError(QStringLiteral("'%1' não é uma data válida").arg(texto));
}

namespace {

QString secao(const QString &formato, double valor, double *usado)
{
    const QStringList secoes = formato.split(u';');
    *usado = valor;
    if (secoes.size() >= 3 && valor == 0 && !secoes[2].isEmpty())
        return secoes[2];
    if (secoes.size() >= 2 && valor < 0 && !secoes[1].isEmpty()) {
        *usado = -valor; // the negative section carries its own sign, if any
        return secoes[1];
    }
    return secoes[0];
}

} // namespace

QString mascara(double valor, const QString &formato)
{
    double v;
    const QString sec = secao(formato, valor, &v);
    const int ponto = sec.indexOf(u'.');
    const QString inteira = ponto < 0 ? sec : sec.left(ponto);
    const QString decimal = ponto < 0 ? QString() : sec.mid(ponto + 1);
    const bool temDigitos = sec.contains(u'#') || sec.contains(u'0');
    if (!temDigitos)
        return sec;
    const bool agrupa = inteira.contains(u',');
    const int casas = int(decimal.count(u'0') + decimal.count(u'#'));
    const int minCasas = int(decimal.count(u'0'));
    const int minInteiros = int(inteira.count(u'0'));

    const bool negativo = v < 0;
    const double escala = std::pow(10.0, casas);
    // round half away from zero on the decimal text, avoiding binary surprises like 2.675
    const double absoluto = std::fabs(v);
    const double x = absoluto * escala;
    QString texto = QString::number(std::floor(x + 0.5 + x * 4e-15) / escala,
                                    'f', casas);
    QString parteInteira = texto.section(u'.', 0, 0);
    QString parteDecimal = casas ? texto.section(u'.', 1, 1) : QString();
    while (parteDecimal.size() > minCasas && parteDecimal.endsWith(u'0'))
        parteDecimal.chop(1);
    if (parteInteira == QLatin1String("0") && minInteiros == 0)
        parteInteira.clear();
    while (parteInteira.size() < minInteiros)
        parteInteira.prepend(u'0');
    if (agrupa) {
        for (int i = parteInteira.size() - 3; i > 0; i -= 3)
            parteInteira.insert(i, u'.');
    }
    QString r = parteInteira;
    if (!parteDecimal.isEmpty())
        r += u',' + parteDecimal;
    const bool zero = r.isEmpty() || r.count(u'0') + r.count(u'.') + r.count(u',') == r.size();
    if (negativo && !zero)
        r.prepend(u'-');
    return r;
}

} // namespace Formatacao
