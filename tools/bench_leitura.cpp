// Return-file reading benchmark: writes a generated return file of N lines (default 2,000,000)
// and reads it back line by line, parsing every record with the readers of the capture, without
// a database. Prints lines per second.
//   bench_leitura [N]

#include "capture/camposfixos.h"
#include "capture/registrosdeclaracao.h"
#include "capture/registrosmunicipio.h"
#include "capture/tiporegistro.h"
#include "shell/win1252.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace
{

QString fixa(std::initializer_list<std::pair<int, QString>> campos, int tamanho)
{
    QString l(tamanho, u' ');
    for (const auto &c : campos)
        l.replace(c.first - 1, c.second.size(), c.second);
    return l;
}

// One declaration of the full form and a little of everything else, 12 lines in all.
QStringList bloco(int i)
{
    const QString ie = QStringLiteral("%1").arg(i, 13, 10, QLatin1Char('0'));
    const QString m = QStringLiteral("%1").arg(1 + i % 50, 3, 10, QLatin1Char('0'));
    const QString h = QStringLiteral("01") + m + ie;
    QStringList b;
    b << QStringLiteral("0A") + m + ie +
             fixa({{1, QStringLiteral("RUA DAS ACACIAS 100")}, {51, QStringLiteral("CENTRO")}}, 137);
    b << fixa({{1, QStringLiteral("01")},
               {3, m},
               {6, ie},
               {19, QStringLiteral("2023")},
               {23, QStringLiteral("COMERCIO LTDA")},
               {58, QStringLiteral("15032024")},
               {66, QStringLiteral("101500")},
               {72, QStringLiteral("15032024")},
               {80, QStringLiteral("20032024")},
               {88, QStringLiteral("11")},
               {94, QStringLiteral("12345678901234567890")},
               {116, QStringLiteral("4711302")},
               {123, QStringLiteral("00")},
               {159, QStringLiteral("000")},
               {162, QStringLiteral("01")}},
              163);
    b << fixa({{1, QStringLiteral("02")},
               {3, m},
               {6, ie},
               {19, QStringLiteral("JOSE CONTADOR")},
               {103, QStringLiteral("000000001000,00")},
               {118, QStringLiteral("000000002000,00")},
               {133, QStringLiteral("000000000100,00")},
               {148, QStringLiteral("000000000900,00")}},
              162);
    b << fixa({{1, QStringLiteral("03")},
               {3, m},
               {6, ie},
               {19, QStringLiteral("018")},
               {22, QStringLiteral("000000012345,67")}},
              36);
    b << fixa({{1, QStringLiteral("04")},
               {3, m},
               {6, ie},
               {19, QStringLiteral("044")},
               {22, QStringLiteral("000000000100,00")},
               {37, QStringLiteral("000000000200,00")}},
              51);
    b << fixa({{1, QStringLiteral("06")},
               {3, m},
               {6, ie},
               {19, QStringLiteral("404")},
               {22, QStringLiteral("000000000010,00")},
               {37, QStringLiteral("000000000020,00")}},
              51);
    b << fixa({{1, QStringLiteral("07")},
               {3, m},
               {6, ie},
               {19, QStringLiteral("000000002000,00")},
               {34, QStringLiteral("000000001000,00")},
               {49, QStringLiteral("000000000100,00")},
               {64, QStringLiteral("000000000900,00")},
               {79, QStringLiteral("01")}},
              80);
    b << fixa({{1, QStringLiteral("08")},
               {3, m},
               {6, ie},
               {19, m},
               {22, QStringLiteral("000000000900,00")},
               {37, QStringLiteral("08")},
               {39, QStringLiteral("10000")},
               {44, QStringLiteral("000000000900,00")}},
              58);
    b << fixa({{1, QStringLiteral("09")},
               {3, m},
               {6, ie},
               {20, QStringLiteral("055")},
               {23, QStringLiteral("000000001000,00")},
               {38, QStringLiteral("000000001000,00")},
               {53, QStringLiteral("000000000180,00")}},
              67);
    b << fixa({{1, QStringLiteral("10")},
               {3, m},
               {6, ie},
               {19, QStringLiteral("2023")},
               {23, QStringLiteral("15032024")},
               {31, QStringLiteral("101500")},
               {37, QStringLiteral("20032024")},
               {45, QStringLiteral("1")},
               {46, QStringLiteral("12345678901234567890")},
               {66, QStringLiteral("01")},
               {68, QStringLiteral("1")},
               {69, QStringLiteral("N")},
               {70, QStringLiteral("000000001000.00")},
               {85, QStringLiteral("000000000100.00")},
               {100, QStringLiteral("000000002000.00")},
               {115, QStringLiteral("000000000900.00")},
               {144, QStringLiteral("0000000000")},
               {184, QStringLiteral("01")}},
              185);
    b << fixa({{1, QStringLiteral("11")},
               {3, m},
               {6, QStringLiteral("0000000000000")},
               {22, ie},
               {35, m},
               {38, QStringLiteral("COMERCIO LTDA")},
               {73, QStringLiteral("15032024")},
               {81, QStringLiteral("000000000900,00")},
               {96, QStringLiteral("11222333000144")},
               {112, QStringLiteral("4711302")},
               {119, QStringLiteral("00")},
               {121, QStringLiteral("01")}},
              122);
    b << fixa({{1, QStringLiteral("14")},
               {3, m},
               {6, ie},
               {19, m},
               {22, QStringLiteral("000000000050,00")},
               {37, m},
               {40, QStringLiteral("11222333000144")}},
              53);
    return b;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 2000000;
    QTemporaryDir dir;
    const QString arquivo = dir.filePath(QStringLiteral("PT0019924.txt"));
    {
        QFile f(arquivo);
        f.open(QIODevice::WriteOnly);
        int escritas = 0;
        for (int i = 0; escritas < n; ++i)
            for (const QString &l : bloco(i)) {
                f.write(Win1252::encode(l) + "\r\n");
                if (++escritas >= n)
                    break;
            }
    }

    QElapsedTimer t;
    t.start();
    QFile f(arquivo);
    f.open(QIODevice::ReadOnly);
    qint64 linhas = 0, atribuicoes = 0;
    QString regime = QStringLiteral("01");
    RegistrosDeclaracao::ValoresAnteriores anteriores;
    const auto semAviso = [](const QString &) {};
    const auto campos = [](const QString &c) {
        return c == QLatin1String("018") ? QStringLiteral("RECEITA_BRUTA") : QString();
    };
    while (!f.atEnd()) {
        const QString bruta = Win1252::decode(f.readLine());
        const QStringView l = CamposFixos::aparaLinha(bruta);
        if (l.isEmpty())
            continue;
        ++linhas;
        const QStringView tipo = l.first(2);
        using namespace RegistrosDeclaracao;
        if (tipo == u"0A")
            atribuicoes += Registro0A(l).size();
        else if (tipo == u"0B")
            atribuicoes += Registro0B(l).size();
        else if (tipo == u"01")
            atribuicoes += Registro01(l, semAviso, &regime).size();
        else if (tipo == u"02")
            atribuicoes += Registro02(l, &anteriores).size();
        else if (tipo == u"03")
            atribuicoes += Registro03(l, campos, regime).size();
        else if (tipo == u"04")
            atribuicoes += Registro04(l).size();
        else if (tipo == u"06")
            atribuicoes += Registro06(l, regime, {}).size();
        else if (tipo == u"07")
            atribuicoes += Registro07(l, anteriores).size();
        else if (tipo == u"08")
            atribuicoes += Registro08(l).size();
        else if (tipo == u"09")
            atribuicoes += Registro09(l).size();
        else if (tipo == u"10")
            atribuicoes += Registro10(l, semAviso).protocolo.size() > 0;
        else if (tipo == u"11")
            atribuicoes += RegistrosMunicipio::Registro11(l, QStringLiteral("P"), semAviso).size();
        else if (auto r = TTipoRegistro::Cria(l, 1))
            atribuicoes += 1;
    }
    const double s = t.elapsed() / 1000.0;
    std::printf("%lld linhas lidas e interpretadas em %.2f s: %.0f linhas/s (%lld valores)\n", linhas, s,
                linhas / s, atribuicoes);
    return 0;
}
