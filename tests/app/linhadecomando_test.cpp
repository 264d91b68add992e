#include "app/linhadecomando.h"
#include "app/subcomando.h"
#include "support/temphome.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

namespace
{
struct Resultado {
    int status;
    QString saida, erros;
};
Resultado orbel(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    p.setProcessEnvironment(env);
    p.start(ORBEL_EXECUTABLE, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

TEST(CommandLine, HomeComesFromOptionOrEnvironmentAndUsageErrorsAreCaught)
{
    qputenv("ORBEL_HOME", "/ambiente");
    LinhaDeComando lc = LeLinhaDeComando({"orbel", "setup", "--base-year", "2020"});
    EXPECT_EQ(lc.home, QString("/ambiente"));
    EXPECT_EQ(lc.subcomando, QString("setup"));
    EXPECT_EQ(lc.opcoes, QStringList({"--base-year", "2020"}));
    lc = LeLinhaDeComando({"orbel", "--home", "/opcao", "setup", "--force"});
    EXPECT_EQ(lc.home, QString("/opcao"));
    EXPECT_EQ(lc.opcoes, QStringList({"--force"}));
    EXPECT_EQ(LeLinhaDeComando({"orbel", "--home=/igual"}).home, QString("/igual"));
    qunsetenv("ORBEL_HOME");
    EXPECT_FALSE(LeLinhaDeComando({"orbel", "--home"}).erro.isEmpty());
    EXPECT_FALSE(LeLinhaDeComando({"orbel", "--nada"}).erro.isEmpty());
    // Qt's own GUI options are left to the application
    lc = LeLinhaDeComando({"orbel", "-platform", "offscreen", "-style=fusion"});
    EXPECT_TRUE(lc.erro.isEmpty()) << lc.erro.toStdString();
    EXPECT_TRUE(lc.subcomando.isEmpty());

    Resultado r = orbel({"setup", "--base-year", "abc"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erros.contains("Ano base inválido: abc")) << r.erros.toStdString();
    EXPECT_TRUE(r.erros.contains("orbel setup --help"));
    r = orbel({"naoexiste"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erros.contains("Subcomando desconhecido: naoexiste"));
    EXPECT_EQ(orbel({"setup", "a-mais"}).status, 2);
    EXPECT_EQ(orbel({"setup", "--nada"}).status, 2);
    r = orbel({"capture"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erros.contains("Informe o arquivo a capturar.")) << r.erros.toStdString();
    r = orbel({"capture", "dados.zip"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erros.contains("use --type ativos|retorno")) << r.erros.toStdString();
    EXPECT_EQ(orbel({"capture", "--type", "outro", "AT.zip"}).status, 2);
}

// A headless command opens the database and reports through the streams with no display at all.
TEST(CommandLine, CaptureRunsWithoutADisplay)
{
    TempHome home = TempHome::seeded();
    const Resultado r = orbel({"--home", home.path(), "capture", home.arquivo("AT0024.zip")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.erros.contains("Arquivo não existe!")) << r.erros.toStdString();
}

TEST(CommandLine, HelpListsEverySubcommandAndEachGivesItsOptions)
{
    QSet<QString> nomes;
    for (const Subcomando &s : Subcomandos()) {
        EXPECT_FALSE(nomes.contains(s.nome)) << s.nome.toStdString();
        nomes.insert(s.nome);
        EXPECT_FALSE(s.resumo.isEmpty() || s.descricao.isEmpty() || !s.executa) << s.nome.toStdString();
    }
    EXPECT_TRUE(nomes.contains("setup") && nomes.contains("capture"));

    for (const QStringList &pedido : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"help"}}) {
        const Resultado r = orbel(pedido);
        EXPECT_EQ(r.status, 0);
        for (const Subcomando &s : Subcomandos())
            EXPECT_TRUE(r.saida.contains("  " + s.nome + " ")) << s.nome.toStdString();
        EXPECT_TRUE(r.saida.contains("--home PASTA"));
        EXPECT_TRUE(r.erros.isEmpty());
    }

    Resultado r = orbel({"setup", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.saida.startsWith("Uso: orbel [--home PASTA] setup [--base-year AAAA] [--force]\n"))
        << r.saida.toStdString();
    EXPECT_TRUE(r.saida.contains("Saída: 0 concluído"));
    r = orbel({"--home", "/nao/existe", "capture", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(
        r.saida.startsWith("Uso: orbel [--home PASTA] capture [--yes] [--type ativos|retorno] ARQUIVO.zip\n"))
        << r.saida.toStdString();
    EXPECT_EQ(orbel({"help", "capture"}).saida, r.saida);
}
