#include "capture/widgets/frmcapturaativoretorno.h"
#include "data/tdmprincipal.h"
#include "shell/inifile.h"
#include "shell/scriptedui.h"
#include "support/arquivosteste.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace
{
int indicesInativos(BancoDeTeste &b)
{
    return b.conta(
        "RDB$INDICES",
        "RDB$INDEX_NAME IN ('IDX_ATIVOS_MUNIC_CODIGO','DECLARACOES_IE') AND RDB$INDEX_INACTIVE = 1");
}
} // namespace

TEST(CaptureWindow, ControlsFollowThePathAndTheRunAndIndexesFollowTheWindow)
{
    auto home = TempHome::seeded();
    GravaIniDireto(home.ini(), "Retornos", "Ultimo", "RT0019924.zip");
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    BancoDeTeste b(home.banco());
    {
        TfrmCapturaAtivoRetorno w(dm);
        EXPECT_EQ(w.windowTitle(), QString("Captura de arquivos"));
        EXPECT_EQ(indicesInativos(b), 2);
        EXPECT_TRUE(w.rbAtivos->isChecked());
        EXPECT_TRUE(w.labUltimo->text().isEmpty());
        w.rbRetorno->click();
        EXPECT_EQ(w.labUltimo->text(), QString("RT0019924.zip"));
        w.rbAtivos->click();

        EXPECT_FALSE(w.btnExecutar->isEnabled());
        w.edArquivo->setText("   ");
        EXPECT_FALSE(w.btnExecutar->isEnabled());

        // an error leaves the window ready for another try
        w.edArquivo->setText(home.arquivo("naoexiste24.zip"));
        w.btnExecutarClick();
        EXPECT_EQ(ui.textos().last(), QString("Arquivo não existe!"));
        EXPECT_TRUE(w.btnExecutar->isEnabled());
        EXPECT_TRUE(w.btnFechar->isEnabled());
        EXPECT_TRUE(w.edArquivo->isEnabled());
        EXPECT_FALSE(w.btnCancelar->isEnabled());

        const QString zip = home.arquivo("DATA/RT-ativos-AT24.zip"); // "AT" anywhere in the path
        QDir().mkpath(home.arquivo("DATA"));
        GravaZipCaptura(zip, {LinhaAtivoTeste("1", "004", "C1").texto()});
        w.edArquivo->setText(zip);
        w.btnExecutarClick();
        EXPECT_EQ(ui.textos().last(), QString("Captura de arquivo finalizada com sucesso"));
        EXPECT_EQ(w.labUltimo->text(), QString("RT-ativos-AT24.zip"));
        EXPECT_EQ(indicesInativos(b), 0); // back on after a capture
        w.reject();
    }
    EXPECT_EQ(indicesInativos(b), 0);
    EXPECT_EQ(b.conta("ATIVOS", "MUNIC_CODIGO = '004'"), 1);
}
