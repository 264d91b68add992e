#include "app/linhadecomando.h"

#include "app/aplicacaoorbel.h"
#include "app/janelas.h"
#include "app/subcomando.h"
#include "data/fbconexao.h"
#include "shell/diretorios.h"
#include "shell/plataforma.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

namespace
{

QCommandLineOption opcaoHome()
{
    return QCommandLineOption(
        QStringLiteral("home"),
        QStringLiteral("pasta do programa (senão ORBEL_HOME, senão a pasta do executável)"),
        QStringLiteral("PASTA"));
}

QCommandLineOption opcaoAjuda()
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("mostra esta ajuda"));
}

const QString kSaida =
    QStringLiteral("Saída: 0 concluído; 1 recusado, interrompido ou com erro; 2 erro de uso.");

QString nomesDaOpcao(const QCommandLineOption &o)
{
    QStringList nomes;
    for (const QString &n : o.names())
        nomes << (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
    QString t = nomes.join(QStringLiteral(", "));
    if (!o.valueName().isEmpty())
        t += u' ' + o.valueName();
    return t;
}

// Two columns, the second aligned.
QString colunas(const QList<QPair<QString, QString>> &linhas)
{
    qsizetype largura = 0;
    for (const auto &l : linhas)
        largura = std::max(largura, l.first.size());
    QString t;
    for (const auto &l : linhas)
        t += QStringLiteral("  ") + l.first.leftJustified(largura + 2) + l.second + u'\n';
    return t;
}

// Qt's own GUI options (-platform xcb, -style ...) are QApplication's; the parser must not see them.
QStringList semOpcoesDoQt(const QStringList &argumentos)
{
    static const QStringList comValor{"-platform",        "-platformpluginpath",
                                      "-platformtheme",   "-plugin",
                                      "-qwindowgeometry", "-qwindowicon",
                                      "-qwindowtitle",    "-style",
                                      "-stylesheet",      "-session",
                                      "-display",         "-geometry"};
    static const QStringList semValor{"-reverse", "-widgetcount"};
    QStringList r;
    for (qsizetype i = 0; i < argumentos.size(); ++i) {
        const QString &a = argumentos[i];
        if (i > 0 && !a.startsWith(QLatin1String("--")) && a.startsWith(u'-')) {
            const QString nome = a.section(u'=', 0, 0);
            if (comValor.contains(nome)) {
                if (!a.contains(u'='))
                    ++i;
                continue;
            }
            if (semValor.contains(a))
                continue;
        }
        if (i > 0 && !a.startsWith(u'-'))
            return r + argumentos.mid(i); // the subcommand: the rest is its own
        r << a;
    }
    return r;
}

const Subcomando *procura(const QString &nome)
{
    for (const Subcomando &s : Subcomandos())
        if (s.nome == nome)
            return &s;
    return nullptr;
}

int erroDeUso(const QString &texto, const QString &ajuda)
{
    EscreveLinha(stderr, texto);
    EscreveLinha(stderr, QStringLiteral("Veja: ") + ajuda);
    return 2;
}

// The subcommand's own parse and run, inside the application it needs.
int executa(const Subcomando &s, const LinhaDeComando &lc, int &argc, char **argv)
{
    const QString ajuda = QStringLiteral("orbel %1 --help").arg(s.nome);
    QCommandLineParser p;
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    p.addOptions(s.opcoes);
    p.addOption(opcaoHome());
    p.addOption(opcaoAjuda());
    if (!p.parse(QStringList{QStringLiteral("orbel")} + lc.opcoes))
        return erroDeUso(p.errorText(), ajuda);
    if (p.isSet(QStringLiteral("help"))) {
        std::fputs(AjudaDoSubcomando(s).toUtf8().constData(), stdout);
        return 0;
    }
    const QStringList posicionais = p.positionalArguments();
    if (posicionais.size() > s.argumentos.size())
        return erroDeUso(QStringLiteral("Argumento a mais: ") + posicionais[s.argumentos.size()], ajuda);
    for (qsizetype i = posicionais.size(); i < s.argumentos.size(); ++i)
        if (!s.argumentos[i].faltando.isEmpty())
            return erroDeUso(s.argumentos[i].faltando, ajuda);

    std::unique_ptr<QCoreApplication> app;
    if (s.aplicacao == Subcomando::Aplicacao::Desenho) {
        // pictures are drawn offscreen: no display needed
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QString home = p.isSet(QStringLiteral("home")) ? p.value(QStringLiteral("home")) : lc.home;
    if (!home.isEmpty())
        DefineDiretorioSistema(home);
    try {
        return s.executa(p);
    } catch (const ErroDeUso &e) {
        return erroDeUso(e.texto(), ajuda);
    }
}

} // namespace

void EscreveLinha(FILE *f, const QString &texto)
{
    std::fputs(texto.toUtf8().constData(), f);
    std::fputc('\n', f);
    std::fflush(f);
}

QString AjudaDoPrograma()
{
    QString t =
        QStringLiteral("ORBEL — valor adicionado fiscal dos contribuintes do município\n\n"
                       "Uso: orbel [--home PASTA]                           abre o ORBEL\n"
                       "     orbel [--home PASTA] SUBCOMANDO [opções]      trabalha sem abrir janelas\n\n"
                       "Subcomandos:\n");
    QList<QPair<QString, QString>> linhas;
    for (const Subcomando &s : Subcomandos())
        linhas.append({s.nome, s.resumo});
    t += colunas(linhas);
    t += QStringLiteral("\nOpções:\n");
    t += colunas({{nomesDaOpcao(opcaoHome()), opcaoHome().description()},
                  {nomesDaOpcao(opcaoAjuda()), opcaoAjuda().description()}});
    t += QStringLiteral("\nAs opções de cada subcomando: orbel SUBCOMANDO --help\n") + kSaida + u'\n';
    return t;
}

QString AjudaDoSubcomando(const Subcomando &s)
{
    QString uso = QStringLiteral("Uso: orbel [--home PASTA] ") + s.nome;
    for (const QCommandLineOption &o : s.opcoes)
        uso += QStringLiteral(" [") + nomesDaOpcao(o) + u']';
    for (const auto &a : s.argumentos)
        uso += u' ' + (a.faltando.isEmpty() ? u'[' + a.nome + u']' : a.nome);
    QString t = uso + QStringLiteral("\n\n") + s.descricao + u'\n';
    if (!s.argumentos.isEmpty()) {
        QList<QPair<QString, QString>> linhas;
        for (const auto &a : s.argumentos)
            linhas.append({a.nome, a.descricao});
        t += QStringLiteral("\nArgumentos:\n") + colunas(linhas);
    }
    QList<QPair<QString, QString>> linhas;
    for (const QCommandLineOption &o : s.opcoes + QList{opcaoHome(), opcaoAjuda()})
        linhas.append({nomesDaOpcao(o), o.description()});
    t += QStringLiteral("\nOpções:\n") + colunas(linhas);
    return t + u'\n' + kSaida + u'\n';
}

LinhaDeComando LeLinhaDeComando(const QStringList &argumentos)
{
    LinhaDeComando lc;
    lc.home = qEnvironmentVariable("ORBEL_HOME");
    QCommandLineParser p;
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // what follows the subcommand is the subcommand's to read
    p.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    p.addOption(opcaoHome());
    p.addOption(opcaoAjuda());
    if (!p.parse(semOpcoesDoQt(argumentos))) {
        lc.erro = p.errorText();
        return lc;
    }
    if (p.isSet(QStringLiteral("home")))
        lc.home = p.value(QStringLiteral("home"));
    lc.ajuda = p.isSet(QStringLiteral("help"));
    QStringList resto = p.positionalArguments();
    if (!resto.isEmpty())
        lc.subcomando = resto.takeFirst();
    lc.opcoes = resto;
    return lc;
}

int ExecutaOrbel(int argc, char **argv)
{
    DefineAposConectar(&Plataforma::EncerraNosSinaisDeTermino);
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    LinhaDeComando lc = LeLinhaDeComando(argumentos);
    if (!lc.erro.isEmpty())
        return erroDeUso(lc.erro, QStringLiteral("orbel --help"));
    if (lc.subcomando == QLatin1String("help")) { // `orbel help [SUBCOMANDO]`
        lc.ajuda = lc.opcoes.isEmpty();
        if (!lc.ajuda) {
            lc.subcomando = lc.opcoes.takeFirst();
            lc.opcoes = {QStringLiteral("--help")};
        }
    }
    if (lc.ajuda) {
        std::fputs(AjudaDoPrograma().toUtf8().constData(), stdout);
        return 0;
    }
    if (lc.subcomando.isEmpty()) {
        AplicacaoOrbel app(argc, argv);
        if (!lc.home.isEmpty())
            DefineDiretorioSistema(lc.home);
        return ExecutaInterfaceGrafica(app);
    }
    const Subcomando *s = procura(lc.subcomando);
    if (!s)
        return erroDeUso(QStringLiteral("Subcomando desconhecido: ") + lc.subcomando,
                         QStringLiteral("orbel --help"));
    return executa(*s, lc, argc, argv);
}
