#include "maintenance/widgets/tfprocessabackup.h"

#include "shell/widgets/componentes.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
QProgressBar *novaBarra(QWidget *pai, const char *nome)
{
    auto *b = new QProgressBar(pai);
    b->setObjectName(QLatin1String(nome));
    b->setRange(1, 10001);
    b->setValue(1);
    b->setTextVisible(false);
    return b;
}
} // namespace

TfProcessaBackup::TfProcessaBackup(ProcessaBackup &processo, QWidget *parent)
    : QDialog(parent), m_processo(processo)
{
    setObjectName(QStringLiteral("fProcessaBackup"));
    setWindowTitle(processo.tela().caption);
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowContextHelpButtonHint);
    auto *raiz = new QVBoxLayout(this);
    auto *g = new QGridLayout;
    g->addWidget(NovoRotulo(this, "Label1", QStringLiteral("Arquivo atual:")), 0, 0);
    lblArquivoAtual = NovoRotulo(this, "lblArquivoAtual", QString());
    lblArquivoAtual->setMinimumWidth(380);
    g->addWidget(lblArquivoAtual, 0, 1);
    pbArquivo = novaBarra(this, "pbArquivo");
    g->addWidget(pbArquivo, 1, 0, 1, 2);
    g->addWidget(NovoRotulo(this, "Label2", QStringLiteral("Progresso total:")), 2, 0);
    pbTotal = novaBarra(this, "pbTotal");
    g->addWidget(pbTotal, 3, 0, 1, 2);
    g->addWidget(NovoRotulo(this, "Label3", QStringLiteral("Progresso atual")), 4, 0);
    lblContador = NovoRotulo(this, "lblContador", QStringLiteral("Backup 1 de 1"));
    g->addWidget(lblContador, 4, 1, Qt::AlignRight);
    lblDestino = NovoRotulo(this, "lblDestino", processo.tela().destino);
    lblDestino->setTextInteractionFlags(Qt::TextSelectableByMouse);
    g->addWidget(lblDestino, 5, 0, 1, 2);
    raiz->addLayout(g);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    btnFechar->setEnabled(false);
    QSizePolicy sp = btnFechar->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    btnFechar->setSizePolicy(sp);
    btnFechar->setVisible(false); // only a failed restore needs it
    botoes->addWidget(btnFechar);
    raiz->addLayout(botoes);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);

    auto *sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("StatusBar1"));
    sb->setSizeGripEnabled(false);
    lblStatus1 = NovoRotulo(sb, "lblStatus1", QString());
    lblStatus2 = NovoRotulo(sb, "lblStatus2", QString());
    sb->addWidget(lblStatus1, 1);
    sb->addWidget(lblStatus2, 1);
    raiz->addWidget(sb);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &QDialog::accept);

    m_processo.aoMudar = [this](const ProcessaBackup::Tela &t) { mostra(t); };
    setFixedSize(sizeHint().expandedTo(QSize(480, 0)));
}

void TfProcessaBackup::mostra(const ProcessaBackup::Tela &t)
{
    setWindowTitle(t.caption);
    lblArquivoAtual->setText(t.arquivoAtual);
    pbArquivo->setMaximum(t.maximoArquivo);
    pbArquivo->setValue(qBound(1, t.barraArquivo, t.maximoArquivo));
    pbTotal->setValue(qBound(1, t.barraTotal, 10001));
    lblDestino->setText(t.destino);
    lblStatus1->setText(t.status1);
    lblStatus2->setText(t.status2);
    repaint();
}

void TfProcessaBackup::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!m_iniciado) {
        m_iniciado = true;
        // the work starts only once the window is on screen
        QTimer::singleShot(0, this, &TfProcessaBackup::roda);
    }
}

void TfProcessaBackup::roda()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_sucesso = m_processo.executa();
    QApplication::restoreOverrideCursor();
    m_terminado = true;
    if (m_sucesso || !m_processo.ficaAberta()) {
        Timer->start(m_sucesso ? atrasoFechamento : 0);
    } else {
        btnFechar->setVisible(true);
        btnFechar->setEnabled(true);
        btnFechar->setFocus();
    }
}

void TfProcessaBackup::reject()
{
    if (m_terminado) // no closing by Escape or the title bar while the work runs
        QDialog::reject();
}

bool TfProcessaBackup::Executa(ProcessaBackup &processo, QWidget *pai)
{
    TfProcessaBackup janela(processo, pai);
    janela.setWindowModality(Qt::ApplicationModal);
    janela.exec();
    processo.aoMudar = nullptr;
    return janela.sucesso();
}
