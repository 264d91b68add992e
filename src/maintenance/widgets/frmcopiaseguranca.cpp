#include "maintenance/widgets/frmcopiaseguranca.h"

#include "data/tdmprincipal.h"
#include "maintenance/copiaseguranca.h"
#include "maintenance/widgets/tfprocessabackup.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"
#include "shell/widgets/componentes.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TfrmCopiaSeguranca::TfrmCopiaSeguranca(TdmPrincipal &dm, QWidget *parent, QDateTime agora)
    : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("frmCopiaSeguranca"));
    setWindowTitle(QStringLiteral("Gravar cópia de segurança"));
    auto *raiz = new QVBoxLayout(this);
    auto *g = new QGridLayout;
    g->addWidget(NovoRotulo(this, "Label1", QStringLiteral("Diretório Destino")), 0, 0);
    edtDiretorioDestino = new QLineEdit(this);
    edtDiretorioDestino->setObjectName(QStringLiteral("edtDiretorioDestino"));
    edtDiretorioDestino->setReadOnly(true);
    edtDiretorioDestino->setMinimumWidth(380);
    g->addWidget(edtDiretorioDestino, 1, 0);
    sbtnDiretorio = new QToolButton(this);
    sbtnDiretorio->setObjectName(QStringLiteral("sbtnDiretorio"));
    sbtnDiretorio->setText(QStringLiteral("..."));
    sbtnDiretorio->setToolTip(QStringLiteral("Diretório para armazenar backup"));
    g->addWidget(sbtnDiretorio, 1, 1);
    g->addWidget(NovoRotulo(this, "Label2", QStringLiteral("Nome arquivo:")), 2, 0);
    edtNomeArquivo = new QLineEdit(this);
    edtNomeArquivo->setObjectName(QStringLiteral("edtNomeArquivo"));
    g->addWidget(edtNomeArquivo, 3, 0);
    raiz->addLayout(g);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    btnBackup = new QPushButton(QStringLiteral("&Efetuar Cópia"), this);
    btnBackup->setObjectName(QStringLiteral("btnBackup"));
    btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    botoes->addWidget(btnBackup);
    botoes->addWidget(btnFechar);
    raiz->addLayout(botoes);

    connect(sbtnDiretorio, &QToolButton::clicked, this, &TfrmCopiaSeguranca::sbtnDiretorioClick);
    connect(btnBackup, &QPushButton::clicked, this, &TfrmCopiaSeguranca::btnBackupClick);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);

    edtDiretorioDestino->setText(QDir::toNativeSeparators(DiretorioBackupPadrao()));
    edtNomeArquivo->setText(NomeBackupPadrao(m_dm.LeParametro(QStringLiteral("ANOEXERCICIO")), agora));
    btnBackup->setDefault(true);
    edtNomeArquivo->setFocus();
    setFixedSize(sizeHint());
}

void TfrmCopiaSeguranca::sbtnDiretorioClick()
{
    const QString pasta = m_dm.ui().escolhePasta(QStringLiteral("Selecione o diretório destino do Backup"),
                                                 edtDiretorioDestino->text());
    if (!pasta.isEmpty())
        edtDiretorioDestino->setText(PastaEscolhida(QDir::toNativeSeparators(pasta)));
}

void TfrmCopiaSeguranca::btnBackupClick()
{
    // window events run while gbak works: no second press, no closing half way
    setEnabled(false);
    struct Reabilita {
        QWidget *w;
        ~Reabilita() { w->setEnabled(true); }
    } reabilita{this};
    try {
        EfetuaCopiaSeguranca(m_dm, QDir::fromNativeSeparators(edtDiretorioDestino->text()),
                             edtNomeArquivo->text(),
                             [this](ProcessaBackup &p) { return TfProcessaBackup::Executa(p, this); });
    } catch (const std::exception &e) {
        m_dm.ui().mostraErro(mensagemDe(e));
        return;
    }
    accept();
}
