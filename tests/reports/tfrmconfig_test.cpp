#include "reports/layoutrelatorio.h"
#include "reports/widgets/tfrmconfig.h"
#include "shell/orbelerror.h"
#include "support/relatoriosteste.h"

#include <QFile>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace
{

// Pages that would go to the preview or the printer, kept by the title of their layout's class.
struct SaidaGuardada : SaidaRelatorio {
    QStringList visualizados, impressos;
    void visualiza(LayoutRelatorio &l) override { visualizados << typeid(l).name(); }
    void imprime(LayoutRelatorio &l) override { impressos << typeid(l).name(); }
};

struct Janela : RelatoriosTeste {
    SaidaGuardada saida;
    std::unique_ptr<TfrmConfig> w;
    Janela() { abre(); }
    void abre()
    {
        TContextoRelatorio::DoPrograma() = TContextoRelatorio{};
        w = std::make_unique<TfrmConfig>(*dm, &saida, nullptr);
        w->show();
    }
    ~Janela() { TContextoRelatorio::DoPrograma() = TContextoRelatorio{}; }
    void escolhe(GrupoOpcoes *g, int i) { g->item(i)->click(); }
    void municipio(const QString &nome) { w->cbbMunic->setCurrentText(nome); }
};

} // namespace

TEST(ReportWindow, OpensOnTheFirstReportAllMunicipalitiesSeparately)
{
    Janela j;
    TfrmConfig &w = *j.w;
    EXPECT_EQ(w.windowTitle(), QString("Impressão"));
    EXPECT_EQ(w.rdgRelatorios->quantidade(), 17);
    EXPECT_EQ(w.rdgRelatorios->item(12)->text(), QString("VAF B  / Espelho"));
    EXPECT_EQ(w.rdgRelatorios->itemIndex(), 0);
    EXPECT_EQ(w.rgMunicipio->itemIndex(), 1);
    EXPECT_FALSE(w.rgMunicipio->item(0)->isEnabled());
    EXPECT_FALSE(w.cbbMunic->isEnabled());
    EXPECT_EQ(w.cbbMunic->count(), 50);
    EXPECT_EQ(w.cbbMunic->currentIndex(), 0);
    EXPECT_EQ(w.cmbIndice->itemIndex(), 0);
    EXPECT_FALSE(w.cmbIndice->isEnabled());
    EXPECT_TRUE(w.chkGeraArquivoExcel->isChecked());
    EXPECT_FALSE(w.chkGeraArquivoExcel->isEnabled());
    EXPECT_FALSE(w.chkDiretoImpressora->isChecked());
    EXPECT_FALSE(w.chkDiretoImpressora->isEnabled());
    EXPECT_EQ(w.sbtnVisualizar->text(), QString("&Gerar relatório"));
    EXPECT_EQ(TContextoRelatorio::DoPrograma().AnoBase, QString("2023"));
}

TEST(ReportWindow, ReportChoiceAndModeRules)
{
    Janela j;
    TfrmConfig &w = *j.w;
    j.escolhe(w.rgMunicipio, 2);
    EXPECT_TRUE(w.cbbMunic->isEnabled());
    EXPECT_TRUE(w.chkGeraArquivoExcel->isEnabled());
    EXPECT_TRUE(w.chkDiretoImpressora->isEnabled());
    EXPECT_TRUE(TContextoRelatorio::DoPrograma().AvisaUsuario);

    // checking one box unchecks the other; unchecking leaves the other alone
    w.chkDiretoImpressora->click();
    EXPECT_TRUE(w.chkDiretoImpressora->isChecked());
    EXPECT_FALSE(w.chkGeraArquivoExcel->isChecked());
    w.chkDiretoImpressora->click();
    EXPECT_FALSE(w.chkGeraArquivoExcel->isChecked());
    w.chkGeraArquivoExcel->click();
    w.chkDiretoImpressora->click();
    EXPECT_FALSE(w.chkGeraArquivoExcel->isChecked());

    // a report that cannot run for all together goes back to "Separados"
    j.escolhe(w.rdgRelatorios, 3);
    EXPECT_EQ(w.rgMunicipio->itemIndex(), 1);
    EXPECT_FALSE(w.cbbMunic->isEnabled());
    EXPECT_TRUE(w.chkGeraArquivoExcel->isChecked());
    EXPECT_FALSE(w.chkDiretoImpressora->isChecked());
    EXPECT_FALSE(TContextoRelatorio::DoPrograma().AvisaUsuario);

    // item 10 keeps "Apenas o Município" and allows "Agrupados"; items 9 to 14 choose an index
    j.escolhe(w.rgMunicipio, 2);
    j.escolhe(w.rdgRelatorios, 10);
    EXPECT_EQ(w.rgMunicipio->itemIndex(), 2);
    EXPECT_TRUE(w.rgMunicipio->item(0)->isEnabled());
    EXPECT_TRUE(w.cmbIndice->isEnabled());
    j.escolhe(w.rdgRelatorios, 15);
    EXPECT_FALSE(w.cmbIndice->isEnabled());
    j.escolhe(w.rgMunicipio, 0);
    EXPECT_EQ(w.rgMunicipio->itemIndex(), 0);
    EXPECT_FALSE(w.chkDiretoImpressora->isEnabled());
}

TEST(ReportWindow, OneMunicipalityPreviewsPrintsOrExportsAndIsRemembered)
{
    Janela j;
    TfrmConfig &w = *j.w;
    j.escolhe(w.rgMunicipio, 2);
    j.municipio("ALVORADA DO NORTE");
    w.chkGeraArquivoExcel->setChecked(false);
    w.sbtnVisualizar->click();
    EXPECT_EQ(j.saida.visualizados.size(), 1);
    EXPECT_TRUE(j.ui.mensagens().isEmpty()); // no closing message
    EXPECT_EQ(j.dm->LeParametro("ULTIMOMUNICREL"), QString("001"));
    EXPECT_EQ(TContextoRelatorio::DoPrograma().CodigoMunicipio, QString("001"));
    EXPECT_EQ(TContextoRelatorio::DoPrograma().DataLimite, QString("15.03.2024"));
    EXPECT_EQ(j.ui.aguardes().value(0),
              QString("  Gerando relatório de ALVORADA DO NORTE. Por favor aguarde.  "));
    EXPECT_TRUE(j.ui.aguardeAtual().isEmpty());
    // after the generation the rules apply again: back to "Separados" for item 0
    EXPECT_EQ(w.rgMunicipio->itemIndex(), 1);
    EXPECT_TRUE(w.rdgRelatorios->isEnabled());

    j.escolhe(w.rgMunicipio, 2);
    j.municipio("BELA VISTA");
    w.chkDiretoImpressora->setChecked(true);
    w.sbtnVisualizar->click();
    EXPECT_EQ(j.saida.impressos.size(), 1);
    EXPECT_EQ(j.saida.visualizados.size(), 1);

    // a new window selects the remembered municipality
    j.abre();
    EXPECT_EQ(j.w->cbbMunic->currentText(), QString("BELA VISTA"));
    j.dm->GravaParametro("ULTIMOMUNICREL", "999");
    j.abre();
    EXPECT_EQ(j.w->cbbMunic->currentIndex(), -1);
    j.escolhe(j.w->rgMunicipio, 2);
    j.w->sbtnVisualizar->click();
    EXPECT_EQ(j.ui.mensagens().value(0).texto, QString("Favor selecionar o município"));
    EXPECT_EQ(j.saida.visualizados.size() + j.saida.impressos.size(), 2);
}

TEST(ReportWindow, SeparateWalkWritesOneFilePerMunicipalityAndOffersTheFolder)
{
    Janela j;
    TfrmConfig &w = *j.w;
    j.escolhe(w.rdgRelatorios, 5);
    j.ui.enfileira(UserInterface::Sim);
    w.sbtnVisualizar->click();
    const QStringList arquivos = QDir(j.pastaDoDia()).entryList(QDir::Files);
    EXPECT_EQ(arquivos.size(), 50);
    EXPECT_TRUE(arquivos.contains("001_Dec_Recusadas_Por_Responsavel.csv"));
    // a municipality without rows still gets its header line
    EXPECT_EQ(j.csv("050_Dec_Recusadas_Por_Responsavel.csv").count("\r\n"), 1);
    ASSERT_EQ(j.ui.mensagens().size(), 2);
    QString pasta = QDir::toNativeSeparators(j.pastaDoDia());
    pasta.chop(1);
    EXPECT_EQ(j.ui.mensagens()[0].titulo, QString("Finalização da Exportação"));
    EXPECT_EQ(j.ui.mensagens()[0].texto,
              "Relatórios exportados com sucesso!\r\nArquivos salvos na pastas: " + pasta);
    EXPECT_EQ(j.ui.mensagens()[1].texto, QString("Abrir pasta com os Relatórios?"));
    EXPECT_EQ(j.ui.pastasAbertas(), QStringList{j.pastaDoDia()});
    EXPECT_TRUE(j.saida.visualizados.isEmpty());
    // the walk remembers no municipality
    EXPECT_EQ(j.dm->LeParametro("ULTIMOMUNICREL"), QString());
}

TEST(ReportWindow, NothingIsGeneratedWithoutTheLimitDateOrForALaterReport)
{
    Janela j;
    TfrmConfig &w = *j.w;
    j.dm->GravaParametro("DATALIMITE_PROVISORIO", "");
    w.sbtnVisualizar->click();
    ASSERT_EQ(j.ui.mensagens().size(), 1);
    EXPECT_EQ(j.ui.mensagens()[0].texto,
              QString("Favor inserir data limite na tela de configutrações de parametros."));
    EXPECT_FALSE(QDir(j.pastaDoDia()).exists());
    EXPECT_TRUE(w.rdgRelatorios->isEnabled());
    EXPECT_TRUE(w.rgMunicipio->isEnabled());

    j.ui.limpa();
    j.escolhe(w.rdgRelatorios, 8);
    w.sbtnVisualizar->click();
    ASSERT_EQ(j.ui.mensagens().size(), 1);
    EXPECT_TRUE(j.ui.mensagens()[0].texto.contains("VAF por CNAE"));
    EXPECT_FALSE(QDir(j.pastaDoDia()).exists());

    // no index selected
    TContextoRelatorio ctx;
    ConfiguracaoRelatorios c(*j.dm, j.ui, &j.saida, ctx);
    c.cria();
    c.mostra();
    c.escolheIndice(-1);
    EXPECT_THROW(c.gera(), OrbelError);
    EXPECT_TRUE(c.relatoriosHabilitado());
}
