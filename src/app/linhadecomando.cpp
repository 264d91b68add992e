#include "app/linhadecomando.h"

#include "app/aplicacaoorbel.h"
#include "app/capturecommand.h"
#include "app/janelas.h"
#include "app/setupcommand.h"
#include "shell/diretorios.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>

namespace
{

void escreve(FILE *f, const QString &texto)
{
    std::fputs(texto.toUtf8().constData(), f);
    std::fputc('\n', f);
}

const char *const kUso =
    "Uso: orbel [--home PASTA] [subcomando]\n"
    "  (sem subcomando)                      abre o ORBEL\n"
    "  setup [--base-year AAAA] [--force]     cria a pasta do programa e o banco de dados\n"
    "  capture [--yes] [--type ativos|retorno] ARQUIVO.zip   captura um arquivo sem abrir janelas\n";

int setup(const LinhaDeComando &lc)
{
    OpcoesSetup op;
    op.home = lc.home;
    for (int i = 0; i < lc.opcoes.size(); ++i) {
        const QString &o = lc.opcoes[i];
        if (o == QLatin1String("--force")) {
            op.forcar = true;
        } else if (o == QLatin1String("--base-year") && i + 1 < lc.opcoes.size()) {
            bool ok = false;
            op.anoBase = lc.opcoes[++i].toInt(&ok);
            if (!ok || op.anoBase < 1900 || op.anoBase > 2999) {
                escreve(stderr, QStringLiteral("Ano base inválido: ") + lc.opcoes[i]);
                return 2;
            }
        } else {
            escreve(stderr, QStringLiteral("Opção desconhecida: ") + o);
            std::fputs(kUso, stderr);
            return 2;
        }
    }
    if (op.home.isEmpty())
        op.home = DiretorioSistema();
    QString mensagem;
    const int status = ExecutaSetup(op, &mensagem);
    escreve(status == 0 ? stdout : stderr, mensagem);
    return status;
}

} // namespace

LinhaDeComando LeLinhaDeComando(const QStringList &argumentos)
{
    LinhaDeComando lc;
    lc.home = qEnvironmentVariable("ORBEL_HOME");
    for (int i = 1; i < argumentos.size(); ++i) {
        const QString &a = argumentos[i];
        if (a == QLatin1String("--home")) {
            if (i + 1 >= argumentos.size()) {
                lc.erro = QStringLiteral("--home precisa de uma pasta");
                return lc;
            }
            lc.home = argumentos[++i];
        } else if (a.startsWith(QLatin1String("--home="))) {
            lc.home = a.mid(7);
        } else if (lc.subcomando.isEmpty() && !a.startsWith(u'-')) {
            lc.subcomando = a;
        } else if (lc.subcomando.isEmpty() && (a == QLatin1String("--help") || a == QLatin1String("-h"))) {
            lc.subcomando = QStringLiteral("help");
        } else if (lc.subcomando.isEmpty() && a.startsWith(QLatin1String("-platform"))) {
            ++i; // Qt's own option, taken by QApplication
        } else if (lc.subcomando.isEmpty()) {
            lc.erro = QStringLiteral("Opção desconhecida: ") + a;
            return lc;
        } else {
            lc.opcoes << a;
        }
    }
    return lc;
}

int ExecutaOrbel(int argc, char **argv)
{
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    const LinhaDeComando lc = LeLinhaDeComando(argumentos);
    if (!lc.erro.isEmpty()) {
        escreve(stderr, lc.erro);
        std::fputs(kUso, stderr);
        return 2;
    }
    if (lc.subcomando.isEmpty()) {
        AplicacaoOrbel app(argc, argv);
        if (!lc.home.isEmpty())
            DefineDiretorioSistema(lc.home);
        return ExecutaInterfaceGrafica(app);
    }

    // Commands run without a display; pictures are still drawn, offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!lc.home.isEmpty())
        DefineDiretorioSistema(lc.home);
    if (lc.subcomando == QLatin1String("setup"))
        return setup(lc);
    if (lc.subcomando == QLatin1String("capture"))
        return ExecutaCaptura(lc.opcoes);
    if (lc.subcomando == QLatin1String("help")) {
        std::fputs(kUso, stdout);
        return 0;
    }
    escreve(stderr, QStringLiteral("Subcomando desconhecido: ") + lc.subcomando);
    std::fputs(kUso, stderr);
    return 2;
}
