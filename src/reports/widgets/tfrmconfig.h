#pragma once

#include "reports/configuracaorelatorios.h"

#include <QDialog>
#include <QGroupBox>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class TdmPrincipal;
class SaidaRelatorio;

// A radio group: a titled box of exclusive options laid out in columns, known by position.
class GrupoOpcoes : public QGroupBox
{
    Q_OBJECT
  public:
    GrupoOpcoes(const char *nome, const QString &titulo, const QStringList &itens, int colunas, QWidget *pai);
    int itemIndex() const;
    void setItemIndex(int i);
    QRadioButton *item(int i) const;
    int quantidade() const;

  signals:
    void escolhido(int i);

  private:
    QButtonGroup *m_grupo;
};

// "Impressão": the report window. It shows the state of ConfiguracaoRelatorios and hands it the
// clerk's choices; the rules and the generation live there.
class TfrmConfig : public QDialog
{
    Q_OBJECT
  public:
    explicit TfrmConfig(TdmPrincipal &dm, QWidget *parent = nullptr);
    // Tests give their own output (pages kept instead of a preview window).
    TfrmConfig(TdmPrincipal &dm, SaidaRelatorio *saida, QWidget *parent);
    ~TfrmConfig() override;

    GrupoOpcoes *rdgRelatorios = nullptr;
    GrupoOpcoes *rgMunicipio = nullptr;
    QComboBox *cbbMunic = nullptr;
    GrupoOpcoes *cmbIndice = nullptr;
    QCheckBox *chkGeraArquivoExcel = nullptr;
    QCheckBox *chkDiretoImpressora = nullptr;
    QPushButton *sbtnVisualizar = nullptr;
    QPushButton *SpeedButton2 = nullptr;

    ConfiguracaoRelatorios &configuracao() { return *m_config; }
    void sbtnVisualizarClick();

  protected:
    void showEvent(QShowEvent *e) override;

  private:
    void montaTela();
    void sincroniza();

    TdmPrincipal &m_dm;
    std::unique_ptr<SaidaRelatorio> m_saidaPropria;
    std::unique_ptr<ConfiguracaoRelatorios> m_config;
    bool m_mostrada = false;
};
