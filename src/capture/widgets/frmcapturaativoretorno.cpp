#include "capture/widgets/frmcapturaativoretorno.h"

#include "data/tdmprincipal.h"
#include "shell/diretorios.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"
#include "shell/widgets/ajuda.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TfrmCapturaAtivoRetorno::TfrmCapturaAtivoRetorno(TdmPrincipal &dm, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_captura(dm, dm.ui())
{
    setObjectName(QStringLiteral("frmCapturaAtivoRetorno"));
    setWindowTitle(QStringLiteral("Captura de arquivos"));
    auto *raiz = new QVBoxLayout(this);

    auto *rg_tipo = new QGroupBox(QStringLiteral(" Tipo de arquivo "), this);
    rg_tipo->setObjectName(QStringLiteral("rg_tipo"));
    auto *rl = new QHBoxLayout(rg_tipo);
    rbAtivos = new QRadioButton(QStringLiteral("Contribuintes ativos "), rg_tipo);
    rbAtivos->setObjectName(QStringLiteral("rbAtivos"));
    rbRetorno = new QRadioButton(QStringLiteral("Retorno com declarações"), rg_tipo);
    rbRetorno->setObjectName(QStringLiteral("rbRetorno"));
    rl->addWidget(rbAtivos);
    rl->addWidget(rbRetorno);
    m_grupo = new QButtonGroup(this);
    m_grupo->addButton(rbAtivos, CapturaArquivos::Ativos);
    m_grupo->addButton(rbRetorno, CapturaArquivos::Retorno);
    rbAtivos->setChecked(true);
    raiz->addWidget(rg_tipo);

    auto *g = new QGridLayout;
    auto *Label1 = new QLabel(QStringLiteral("&Arquivo"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    g->addWidget(Label1, 0, 0);
    edArquivo = new QLineEdit(this);
    edArquivo->setObjectName(QStringLiteral("edArquivo"));
    edArquivo->setMinimumWidth(380);
    Label1->setBuddy(edArquivo);
    g->addWidget(edArquivo, 0, 1);
    btnArquivo = new QToolButton(this);
    btnArquivo->setObjectName(QStringLiteral("btnArquivo"));
    btnArquivo->setToolTip(QStringLiteral("Localizar arquivo"));
    btnArquivo->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    g->addWidget(btnArquivo, 0, 2);
    auto *Label2 = new QLabel(QStringLiteral("Último arquivo processado:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    g->addWidget(Label2, 1, 0);
    labUltimo = new QLabel(this);
    labUltimo->setObjectName(QStringLiteral("labUltimo"));
    labUltimo->setStyleSheet(QStringLiteral("font-weight: bold;"));
    g->addWidget(labUltimo, 1, 1, 1, 2);
    raiz->addLayout(g);

    auto *botoes = new QHBoxLayout;
    btnAjuda = new QPushButton(QStringLiteral("&Ajuda"), this);
    btnAjuda->setObjectName(QStringLiteral("btnAjuda"));
    botoes->addWidget(btnAjuda);
    botoes->addStretch();
    btnExecutar = new QPushButton(QStringLiteral("C&apturar"), this);
    btnExecutar->setObjectName(QStringLiteral("btnExecutar"));
    btnExecutar->setEnabled(false);
    btnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    btnCancelar->setEnabled(false);
    btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    botoes->addWidget(btnExecutar);
    botoes->addWidget(btnCancelar);
    botoes->addWidget(btnFechar);
    raiz->addLayout(botoes);

    connect(m_grupo, &QButtonGroup::idClicked, this, [this] { rg_tipoClick(); });
    connect(edArquivo, &QLineEdit::textChanged, this,
            [this](const QString &t) { btnExecutar->setEnabled(!t.trimmed().isEmpty()); });
    connect(btnArquivo, &QToolButton::clicked, this, &TfrmCapturaAtivoRetorno::btnArquivoClick);
    connect(btnExecutar, &QPushButton::clicked, this, &TfrmCapturaAtivoRetorno::btnExecutarClick);
    connect(btnCancelar, &QPushButton::clicked, this, [this] { m_captura.Cancela(); });
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnAjuda, &QPushButton::clicked, this, [this] { MostraAjuda(4, &m_dm.ui()); });

    m_captura.aoMudarEstado = [this](bool ocupado) { estado(ocupado); };
    m_captura.aoGravarUltimo = [this](const QString &nome) { labUltimo->setText(nome); };
    m_pastaInicial = DiretorioSistema();
    m_captura.abre(); // the eight indexes stay off while the window is open
    rg_tipoClick();
}

TfrmCapturaAtivoRetorno::~TfrmCapturaAtivoRetorno() = default;

int TfrmCapturaAtivoRetorno::tipo() const
{
    return m_grupo->checkedId();
}

void TfrmCapturaAtivoRetorno::rg_tipoClick()
{
    labUltimo->setText(CapturaArquivos::UltimoArquivo(tipo()));
}

void TfrmCapturaAtivoRetorno::btnArquivoClick()
{
    const QString escolhido =
        m_dm.ui().escolheArquivo(QStringLiteral("Arquivo de contribuintes ativos"), m_pastaInicial,
                                 QStringLiteral("Arquivos compactados(*.zip) (*.zip)"));
    if (escolhido.isEmpty())
        return;
    edArquivo->setText(escolhido);
    m_pastaInicial = QFileInfo(escolhido).absolutePath();
}

void TfrmCapturaAtivoRetorno::btnExecutarClick()
{
    m_captura.Captura(tipo(), edArquivo->text());
}

void TfrmCapturaAtivoRetorno::estado(bool ocupado)
{
    btnCancelar->setEnabled(ocupado);
    btnExecutar->setEnabled(!ocupado && !edArquivo->text().trimmed().isEmpty());
    btnFechar->setEnabled(!ocupado);
    edArquivo->setEnabled(!ocupado);
    btnArquivo->setEnabled(!ocupado);
    rbAtivos->setEnabled(!ocupado);
    rbRetorno->setEnabled(!ocupado);
}

void TfrmCapturaAtivoRetorno::done(int r)
{
    if (m_captura.ocupado())
        return; // Fechar is off while a capture runs
    try {
        m_captura.fecha();
    } catch (const std::exception &e) {
        m_dm.ui().mostraErro(mensagemDe(e));
    }
    QDialog::done(r);
}
