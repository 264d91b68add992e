#include "reports/widgets/tfrmconfig.h"

#include "data/tdmprincipal.h"
#include "reports/layoutrelatorio.h"
#include "reports/tabelarelatorios.h"
#include "reports/widgets/saidajanela.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

GrupoOpcoes::GrupoOpcoes(const char *nome, const QString &titulo, const QStringList &itens, int colunas,
                         QWidget *pai)
    : QGroupBox(titulo, pai), m_grupo(new QButtonGroup(this))
{
    setObjectName(QLatin1String(nome));
    auto *grade = new QGridLayout(this);
    const int linhas = (int(itens.size()) + colunas - 1) / colunas;
    for (int i = 0; i < itens.size(); ++i) {
        auto *b = new QRadioButton(itens[i], this);
        b->setObjectName(QLatin1String(nome) + QString::number(i));
        m_grupo->addButton(b, i);
        grade->addWidget(b, i % linhas, i / linhas); // filled column by column
    }
    connect(m_grupo, &QButtonGroup::idClicked, this, &GrupoOpcoes::escolhido);
}

int GrupoOpcoes::itemIndex() const
{
    return m_grupo->checkedId();
}

void GrupoOpcoes::setItemIndex(int i)
{
    if (QAbstractButton *b = m_grupo->button(i)) {
        b->setChecked(true);
    } else if (QAbstractButton *marcado = m_grupo->checkedButton()) {
        m_grupo->setExclusive(false);
        marcado->setChecked(false);
        m_grupo->setExclusive(true);
    }
}

QRadioButton *GrupoOpcoes::item(int i) const
{
    return qobject_cast<QRadioButton *>(m_grupo->button(i));
}

int GrupoOpcoes::quantidade() const
{
    return int(m_grupo->buttons().size());
}

TfrmConfig::TfrmConfig(TdmPrincipal &dm, QWidget *parent) : TfrmConfig(dm, nullptr, parent)
{
}

TfrmConfig::TfrmConfig(TdmPrincipal &dm, SaidaRelatorio *saida, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(QStringLiteral("Impressão"));
    if (!saida) {
        m_saidaPropria = std::make_unique<SaidaJanela>(dm.ui());
        saida = m_saidaPropria.get();
    }
    m_config = std::make_unique<ConfiguracaoRelatorios>(dm, dm.ui(), saida);
    montaTela();
    m_config->setAoMudar([this] { sincroniza(); });
    m_config->cria();
}

TfrmConfig::~TfrmConfig() = default;

void TfrmConfig::montaTela()
{
    auto *raiz = new QVBoxLayout(this);
    rdgRelatorios =
        new GrupoOpcoes("rdgRelatorios", QStringLiteral("Relatórios:"), TabelaRelatorios::Textos(), 2, this);
    raiz->addWidget(rdgRelatorios);

    auto *meio = new QHBoxLayout;
    auto *esquerda = new QVBoxLayout;
    rgMunicipio = new GrupoOpcoes("rgMunicipio", QStringLiteral("Município:."),
                                  ConfiguracaoRelatorios::TextosModos(), 1, this);
    esquerda->addWidget(rgMunicipio);
    cbbMunic = new QComboBox(this);
    cbbMunic->setObjectName(QStringLiteral("cbbMunic"));
    cbbMunic->setEditable(false);
    cbbMunic->setMinimumContentsLength(30);
    esquerda->addWidget(cbbMunic);
    meio->addLayout(esquerda, 2);
    auto *direita = new QVBoxLayout;
    cmbIndice = new GrupoOpcoes("cmbIndice", QStringLiteral("Índice :"),
                                ConfiguracaoRelatorios::TextosIndices(), 2, this);
    direita->addWidget(cmbIndice);
    chkGeraArquivoExcel = new QCheckBox(QStringLiteral("Exportar para arquivo Excel (Arquivo CSV)"), this);
    chkGeraArquivoExcel->setObjectName(QStringLiteral("chkGeraArquivoExcel"));
    direita->addWidget(chkGeraArquivoExcel);
    chkDiretoImpressora = new QCheckBox(QStringLiteral("Enviar direto para a impressora"), this);
    chkDiretoImpressora->setObjectName(QStringLiteral("chkDiretoImpressora"));
    direita->addWidget(chkDiretoImpressora);
    direita->addStretch();
    meio->addLayout(direita, 1);
    raiz->addLayout(meio);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    sbtnVisualizar = new QPushButton(QStringLiteral("&Gerar relatório"), this);
    sbtnVisualizar->setObjectName(QStringLiteral("sbtnVisualizar"));
    sbtnVisualizar->setDefault(true);
    SpeedButton2 = new QPushButton(QStringLiteral("Sair"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    botoes->addWidget(sbtnVisualizar);
    botoes->addWidget(SpeedButton2);
    raiz->addLayout(botoes);

    connect(rdgRelatorios, &GrupoOpcoes::escolhido, this, [this](int i) { m_config->escolheRelatorio(i); });
    connect(rgMunicipio, &GrupoOpcoes::escolhido, this, [this](int i) {
        m_config->escolheModo(i);
        sincroniza(); // a refused option goes back
    });
    connect(cmbIndice, &GrupoOpcoes::escolhido, this, [this](int i) { m_config->escolheIndice(i); });
    connect(cbbMunic, &QComboBox::currentIndexChanged, this,
            [this](int i) { m_config->escolheMunicipio(i); });
    connect(chkGeraArquivoExcel, &QCheckBox::toggled, this,
            [this](bool marcado) { m_config->marcaGeraArquivoExcel(marcado); });
    connect(chkDiretoImpressora, &QCheckBox::toggled, this,
            [this](bool marcado) { m_config->marcaDiretoImpressora(marcado); });
    connect(sbtnVisualizar, &QPushButton::clicked, this, &TfrmConfig::sbtnVisualizarClick);
    connect(SpeedButton2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmConfig::sincroniza()
{
    const ConfiguracaoRelatorios &c = *m_config;
    const QSignalBlocker b1(rdgRelatorios), b2(rgMunicipio), b3(cbbMunic), b4(cmbIndice),
        b5(chkGeraArquivoExcel), b6(chkDiretoImpressora);
    if (cbbMunic->count() != c.nomesMunicipios().size()) {
        cbbMunic->clear();
        cbbMunic->addItems(c.nomesMunicipios());
    }
    rdgRelatorios->setItemIndex(c.relatorio());
    rdgRelatorios->setEnabled(c.relatoriosHabilitado());
    rgMunicipio->setItemIndex(c.modo());
    rgMunicipio->setEnabled(c.modoHabilitado());
    rgMunicipio->item(ConfiguracaoRelatorios::Agrupados)->setEnabled(c.agrupadosHabilitado());
    cbbMunic->setCurrentIndex(c.municipio());
    cbbMunic->setEnabled(c.municipioHabilitado());
    cmbIndice->setItemIndex(c.indice());
    cmbIndice->setEnabled(c.indiceHabilitado());
    chkGeraArquivoExcel->setChecked(c.geraArquivoExcel());
    chkGeraArquivoExcel->setEnabled(c.geraArquivoExcelHabilitado());
    chkDiretoImpressora->setChecked(c.diretoImpressora());
    chkDiretoImpressora->setEnabled(c.diretoImpressoraHabilitado());
}

void TfrmConfig::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!m_mostrada) {
        m_mostrada = true;
        m_config->mostra();
        setFixedSize(sizeHint());
    }
}

void TfrmConfig::sbtnVisualizarClick()
{
    try {
        m_config->gera();
    } catch (const std::exception &e) {
        m_dm.ui().mostraErro(mensagemDe(e));
    }
}
