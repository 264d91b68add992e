#include "shell/widgets/tfspprogress.h"

#include "shell/widgets/componentes.h"
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TfSPProgress::TfSPProgress(QWidget *parent)
    : QDialog(parent ? parent : QApplication::activeWindow(),
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("fSPProgress"));
    setWindowTitle(QStringLiteral("Processando"));
    setModal(true);
    auto *raiz = new QVBoxLayout(this);
    cAnimate = new QProgressBar(this);
    cAnimate->setObjectName(QStringLiteral("cAnimate"));
    cAnimate->setRange(0, 1);
    cAnimate->setTextVisible(false);
    cAnimate->setFixedHeight(8);
    raiz->addWidget(cAnimate);
    cInc = NovoRotulo(this, "cInc", QStringLiteral("0%"));
    cInc->setAlignment(Qt::AlignCenter);
    QFont f = cInc->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    cInc->setFont(f);
    raiz->addWidget(cInc);
    cMessage = NovoRotulo(this, "cMessage", QStringLiteral("Aguarde..."));
    raiz->addWidget(cMessage);
    auto *g = new QGridLayout;
    g->addWidget(NovoRotulo(this, "lblTempoEstimado", QStringLiteral("Tempo estimado:")), 0, 0);
    cEstimated = NovoRotulo(this, "cEstimated", QStringLiteral("00:00:00"));
    g->addWidget(cEstimated, 0, 1);
    g->addWidget(NovoRotulo(this, "lblTempoDecorridoTotal", QStringLiteral("Tempo decorrido:")), 1, 0);
    cTotal = NovoRotulo(this, "cTotal", QStringLiteral("00:00:00"));
    g->addWidget(cTotal, 1, 1);
    g->addWidget(NovoRotulo(this, "Label1", QStringLiteral("Restante:")), 2, 0);
    cRestante = NovoRotulo(this, "cRestante", QStringLiteral("00:00:00"));
    g->addWidget(cRestante, 2, 1);
    raiz->addLayout(g);
    cProgressBar = new QProgressBar(this);
    cProgressBar->setObjectName(QStringLiteral("cProgressBar"));
    cProgressBar->setRange(0, 100);
    cProgressBar->setValue(0);
    raiz->addWidget(cProgressBar);
    btnCancel = new QPushButton(QStringLiteral("Cancelar"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    raiz->addWidget(btnCancel, 0, Qt::AlignHCenter);
    connect(btnCancel, &QPushButton::clicked, this, [this] { m_cancelado = true; });
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(1000);
    setMinimumWidth(420);
}

void TfSPProgress::executa(const QString &caption, bool podeCancelar, const std::function<void()> &trabalho,
                           const std::function<void()> &timer)
{
    if (!caption.isEmpty())
        setWindowTitle(caption);
    btnCancel->setVisible(podeCancelar);
    btnCancel->setEnabled(podeCancelar);
    m_cancelado = false;
    adjustSize();
    auto ligacao = connect(Timer, &QTimer::timeout, this, timer);
    // the work starts once the window is on the screen, and the window closes when it returns
    QTimer::singleShot(0, this, [this, &trabalho] {
        cAnimate->setRange(0, 0);
        repaint();
        trabalho();
        cAnimate->setRange(0, 1);
        accept();
    });
    Timer->start();
    exec();
    Timer->stop();
    disconnect(ligacao);
}

void TfSPProgress::setMensagem(const QString &texto)
{
    cMessage->setText(texto);
    cMessage->repaint();
}

void TfSPProgress::setCaption(const QString &texto)
{
    setWindowTitle(texto);
}

void TfSPProgress::atualiza(const QString &inc, int barra, const QString &estimado)
{
    cInc->setText(inc);
    cProgressBar->setValue(barra);
    cEstimated->setText(estimado);
    repaint();
}

void TfSPProgress::atualizaTempos(const QString &total, const QString &restante)
{
    cTotal->setText(total);
    cRestante->setText(restante);
}

void TfSPProgress::beep()
{
    QApplication::beep();
}
