#include "data/widgets/frmparametros.h"

#include "data/parametrossistema.h"
#include "data/tdmprincipal.h"
#include "shell/diretorios.h"
#include "shell/formatacao.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"
#include "shell/widgets/componentes.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace
{
const QDate kDataPadrao(2001, 1, 1);

QDateEdit *novaData(QWidget *pai, const char *nome)
{
    auto *d = new QDateEdit(kDataPadrao, pai);
    d->setObjectName(QLatin1String(nome));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    return d;
}

} // namespace

TfrmParametros::TfrmParametros(TdmPrincipal &dm, QWidget *parent, QDate hoje) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("frmParametros"));
    setWindowTitle(QStringLiteral("Parâmetros"));
    montaTela();
    carrega(hoje);
}

void TfrmParametros::montaTela()
{
    auto *raiz = new QVBoxLayout(this);

    auto *topo = new QGridLayout;
    topo->addWidget(NovoRotulo(this, "Label1", QStringLiteral("Ano base :")), 0, 0);
    cmbAnoExercicio = new QComboBox(this);
    cmbAnoExercicio->setObjectName(QStringLiteral("cmbAnoExercicio"));
    cmbAnoExercicio->setEditable(false);
    topo->addWidget(cmbAnoExercicio, 0, 1, Qt::AlignLeft);
    topo->addWidget(NovoRotulo(this, "Label6", QStringLiteral("Caminho do Banco de Dados :")), 1, 0);
    Label7 = NovoRotulo(this, "Label7", QStringLiteral("..."));
    Label7->setTextInteractionFlags(Qt::TextSelectableByMouse);
    topo->addWidget(Label7, 1, 1);
    raiz->addLayout(topo);

    auto *GroupBox1 = new QGroupBox(QStringLiteral("Cópia de Segurança / Restauração :"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *g1 = new QGridLayout(GroupBox1);
    g1->addWidget(NovoRotulo(GroupBox1, "Label2", QStringLiteral("Última cópia de segurança efetuada :")), 0,
                  0);
    lblUltimoBackup = NovoRotulo(GroupBox1, "lblUltimoBackup", QStringLiteral("..."));
    g1->addWidget(lblUltimoBackup, 0, 1);
    g1->addWidget(NovoRotulo(GroupBox1, "Label3", QStringLiteral("Última cópia de segurança restaurada :")),
                  1, 0);
    lblUltimoRestore = NovoRotulo(GroupBox1, "lblUltimoRestore", QStringLiteral("..."));
    g1->addWidget(lblUltimoRestore, 1, 1);
    g1->setColumnStretch(1, 1);
    raiz->addWidget(GroupBox1);

    auto *grpDataIndices = new QGroupBox(QStringLiteral("Data limite :"), this);
    grpDataIndices->setObjectName(QStringLiteral("grpDataIndices"));
    auto *g2 = new QGridLayout(grpDataIndices);
    g2->addWidget(NovoRotulo(grpDataIndices, "Label4", QStringLiteral("Índice provisório :")), 0, 0);
    dtpLimiteProvisorio = novaData(grpDataIndices, "dtpLimiteProvisorio");
    g2->addWidget(dtpLimiteProvisorio, 0, 1, Qt::AlignLeft);
    g2->addWidget(NovoRotulo(grpDataIndices, "Label5", QStringLiteral("Índice definitivo :")), 1, 0);
    dtpLimiteDefinitivo = novaData(grpDataIndices, "dtpLimiteDefinitivo");
    g2->addWidget(dtpLimiteDefinitivo, 1, 1, Qt::AlignLeft);
    g2->setColumnStretch(1, 1);
    raiz->addWidget(grpDataIndices);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    sbtnOK = new QPushButton(QStringLiteral("&OK"), this);
    sbtnOK->setObjectName(QStringLiteral("sbtnOK"));
    sbtnOK->setDefault(true);
    sbtnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    sbtnFechar->setObjectName(QStringLiteral("sbtnFechar"));
    botoes->addWidget(sbtnOK);
    botoes->addWidget(sbtnFechar);
    raiz->addLayout(botoes);

    connect(sbtnOK, &QPushButton::clicked, this, [this] {
        try {
            sbtnOKClick();
        } catch (const std::exception &e) {
            m_dm.ui().mostraErro(mensagemDe(e));
        }
    });
    connect(sbtnFechar, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(520);
}

void TfrmParametros::carrega(QDate hoje)
{
    const QString ini = ArquivoIni();
    const QString backup = LeIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Backup"));
    if (!backup.trimmed().isEmpty())
        lblUltimoBackup->setText(backup);
    const QString restore = LeIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Restore"));
    if (!restore.trimmed().isEmpty())
        lblUltimoRestore->setText(restore);

    cmbAnoExercicio->addItems(ParametrosSistema::AnosDisponiveis(hoje));
    cmbAnoExercicio->setCurrentIndex(
        cmbAnoExercicio->findText(m_dm.LeParametro(QStringLiteral("ANOEXERCICIO"))));

    const QString provisorio = m_dm.LeParametro(QStringLiteral("DATALIMITE_PROVISORIO"));
    if (!provisorio.trimmed().isEmpty())
        dtpLimiteProvisorio->setDate(Formatacao::leData(provisorio));
    const QString definitivo = m_dm.LeParametro(QStringLiteral("DATALIMITE_DEFINITIVO"));
    if (!definitivo.trimmed().isEmpty())
        dtpLimiteDefinitivo->setDate(Formatacao::leData(definitivo));

    const QString banco = LeIni(ini, QStringLiteral("ORBEL"), QStringLiteral("Database"));
    Label7->setText(banco);
    Label7->setToolTip(banco);
}

void TfrmParametros::sbtnOKClick()
{
    const QString escolhido =
        cmbAnoExercicio->currentIndex() < 0 ? QString() : cmbAnoExercicio->currentText();
    // the two dates are written on every OK, changed or not
    ParametrosSistema::Grava(m_dm, m_dm.ui(), escolhido, dtpLimiteProvisorio->date(),
                             dtpLimiteDefinitivo->date());
    accept();
}

bool TfrmParametros::podeFechar()
{
    try {
        return ParametrosSistema::PodeFechar(m_dm, m_dm.ui());
    } catch (const std::exception &e) {
        // a window that can never close would trap the user; show why and let it go
        m_dm.ui().mostraErro(mensagemDe(e));
        return true;
    }
}

void TfrmParametros::done(int r)
{
    if (podeFechar())
        QDialog::done(r);
}
