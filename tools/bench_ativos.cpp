// Active-taxpayer capture benchmark: captures generated files of N and 4N taxpayers through the
// headless flow and, in the same run, inserts as many rows with a bare loop over the bulk insert
// (one prepared statement, a commit every 10,000 rows, no parsing) to give the engine's own speed.
//   bench_ativos [N]      (default 100000)

#include "capture/capturaarquivos.h"
#include "data/insercaoemlote.h"
#include "data/tdmprincipal.h"
#include "homebenchmark.h"
#include "shell/scriptedui.h"
#include "shell/win1252.h"
#include "shell/zipengine.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace
{

QString linha(int i)
{
    QString l(716, u' ');
    auto poe = [&l](int pos, const QString &v) { l.replace(pos - 1, v.size(), v); };
    poe(1, QString::number(1000000 + i).leftJustified(13));
    poe(14, QStringLiteral("VP"));
    poe(16, QStringLiteral("COMERCIO DE ALIMENTOS NUMERO %1 LTDA").arg(i).leftJustified(60));
    poe(76, QStringLiteral("RU"));
    poe(82, QStringLiteral("DAS ACACIAS").leftJustified(50));
    poe(232, QStringLiteral("%1").arg(i % 9999, 5, 10, QLatin1Char('0')));
    poe(242, QStringLiteral("RUA"));
    poe(245, QStringLiteral("CENTRO").leftJustified(34));
    poe(326, QStringLiteral("MARIA CONTADORA").leftJustified(33));
    poe(461, QStringLiteral("000000012345.67"));
    poe(476, QStringLiteral("01"));
    poe(488, QStringLiteral("000000000100.00"));
    poe(517, QStringLiteral("%1").arg(1 + i % 50, 3, 10, QLatin1Char('0')));
    poe(520, QStringLiteral("4711302"));
    poe(673, QStringLiteral("000000001000.00"));
    poe(688, QStringLiteral("000000002000.00"));
    poe(703, QStringLiteral("%1").arg(i, 14, 10, QLatin1Char('0')));
    return l;
}

QString preparaHome(const QString &pasta)
{
    preparaHomeDeBenchmark(pasta);
    return pasta + QStringLiteral("/AT00124.zip");
}

double capturaAtivos(int n)
{
    QTemporaryDir dir;
    const QString zip = preparaHome(dir.path());
    {
        const QString txt = dir.filePath(QStringLiteral("PT00124.txt"));
        QFile f(txt);
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < n; ++i)
            f.write(Win1252::encode(linha(i)) + "\r\n");
        f.close();
        ZipEngine().adiciona(zip, txt);
        QFile::remove(txt);
    }
    ScriptedUi ui;
    ui.setRespostaPadrao(UserInterface::Sim);
    TdmPrincipal dm(ui);
    dm.Inicia();
    CapturaArquivos captura(dm, ui);
    captura.abre();
    QElapsedTimer t;
    t.start();
    const bool ok = captura.Captura(CapturaArquivos::Ativos, zip);
    const double s = t.elapsed() / 1000.0;
    captura.fecha();
    if (!ok)
        std::fprintf(stderr, "a captura falhou: %s\n", ui.textos().join(u'\n').toUtf8().constData());
    return s;
}

double linhaDeBase(int n)
{
    QTemporaryDir dir;
    preparaHome(dir.path());
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    dm.HabilitaIndices(false);
    const QString l = linha(7);
    QElapsedTimer t;
    t.start();
    {
        TransacaoEmLote tx(dm.MainConnection());
        InsercaoEmLote ins(tx, QStringLiteral("INSERT INTO ATIVOS (MUNIC_CODIGO, IE, CNAEF_ID, "
                                              "DESMEMBRAMENTO, CODUF, NOMECOMER, NRCRC, UFCRC, CPFCONTAD, "
                                              "CGCCONTAD, ENDERECO, NOMCONTAD, DDDCONTAD, TELEFCONTAD, "
                                              "RAMALCONTAD, VLADICANT, OUTENTANT, REGRECATU, "
                                              "ENDCONTADOR, UFCONTAD, NOMEMUNICCONTAD, BAIRROCONTAD, "
                                              "CEPCONTAD, BAIRROCONTRIBUINTE, MAILRESPONSAVEL, "
                                              "MUNIC_ANTERIOR_CONTRIB, ENTRADAANT, SAIDAANT, OBRIGADO, CNPJ, "
                                              "CEP) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
                                              "?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        for (int i = 0; i < n; ++i) {
            for (int p = 0; p < ins.parametros(); ++p)
                ins.setTexto(p, QStringLiteral("X"));
            ins.setTexto(1, QString::number(i));
            ins.setTexto(11 - 1, l.mid(81, 50));
            for (int p : {15, 16, 26, 27})
                ins.setTexto(p, QStringLiteral("12345.67"));
            ins.executa();
        }
        tx.conclui();
    }
    return t.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    const double base = linhaDeBase(n);
    const double um = capturaAtivos(n);
    const double quatro = capturaAtivos(4 * n);
    std::printf("linha de base (API nativa, %d linhas): %.2f s, %.0f linhas/s\n", n, base, n / base);
    std::printf("captura de ativos, %d linhas: %.2f s, %.0f linhas/s (%.2f da linha de base)\n", n, um,
                n / um, (n / um) / (n / base));
    std::printf("captura de ativos, %d linhas: %.2f s, %.0f linhas/s; 4x o arquivo levou %.2fx o tempo\n",
                4 * n, quatro, 4 * n / quatro, quatro / um);
    return 0;
}
