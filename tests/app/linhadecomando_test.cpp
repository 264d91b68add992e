#include "app/linhadecomando.h"
#include "app/subcomando.h"
#include "support/temphome.h"

#include "support/executaorbel.h"

#include <QSet>
#include <gtest/gtest.h>

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

    SaidaOrbel r = ExecutaOrbel({"setup", "--base-year", "abc"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erros.contains("Ano base inválido: abc")) << r.erros.toStdString();
    EXPECT_TRUE(r.erros.contains("orbel setup --help"));
    r = ExecutaOrbel({"naoexiste"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erros.contains("Subcomando desconhecido: naoexiste"));
    EXPECT_EQ(ExecutaOrbel({"setup", "a-mais"}).status, 2);
    EXPECT_EQ(ExecutaOrbel({"setup", "--nada"}).status, 2);
    r = ExecutaOrbel({"capture"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erros.contains("Informe o arquivo a capturar.")) << r.erros.toStdString();
    r = ExecutaOrbel({"capture", "dados.zip"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erros.contains("use --type ativos|retorno")) << r.erros.toStdString();
    EXPECT_EQ(ExecutaOrbel({"capture", "--type", "outro", "AT.zip"}).status, 2);
}

// A headless command opens the database and reports through the streams with no display at all.
TEST(CommandLine, CaptureRunsWithoutADisplay)
{
    TempHome home = TempHome::seeded();
    const SaidaOrbel r = ExecutaOrbel({"--home", home.path(), "capture", home.arquivo("AT0024.zip")});
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
        const SaidaOrbel r = ExecutaOrbel(pedido);
        EXPECT_EQ(r.status, 0);
        for (const Subcomando &s : Subcomandos())
            EXPECT_TRUE(r.saida.contains("  " + s.nome + " ")) << s.nome.toStdString();
        EXPECT_TRUE(r.saida.contains("--home PASTA"));
        EXPECT_TRUE(r.erros.isEmpty());
    }

    SaidaOrbel r = ExecutaOrbel({"setup", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.saida.startsWith("Uso: orbel [--home PASTA] setup [--base-year AAAA] [--force]\n"))
        << r.saida.toStdString();
    EXPECT_TRUE(r.saida.contains("Saída: 0 concluído"));
    r = ExecutaOrbel({"--home", "/nao/existe", "capture", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(
        r.saida.startsWith("Uso: orbel [--home PASTA] capture [--yes] [--type ativos|retorno] ARQUIVO.zip\n"))
        << r.saida.toStdString();
    EXPECT_EQ(ExecutaOrbel({"help", "capture"}).saida, r.saida);
}
