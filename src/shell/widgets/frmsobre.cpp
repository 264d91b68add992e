#include "shell/widgets/frmsobre.h"

#include "shell/configapp.h"
#include "shell/widgets/figuras.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

QStringList LinhasCreditos()
{
    return {QStringLiteral("GOVERNO DO ESTADO DE VESPERIA"),
            QString(),
            QStringLiteral("Secretaria de Estado da Fazenda de Vesperia"),
            QStringLiteral("Superintendência de Arrecadação"),
            QStringLiteral("Diretoria de Informações Econômico-Fiscais"),
            QStringLiteral("Divisão de Valor Adicionado Fiscal"),
            QString(),
            QStringLiteral("Coordenação"),
            QStringLiteral("Helena Vasconcelos Prado"),
            QStringLiteral("Ricardo Almeida Fontes"),
            QString(),
            QStringLiteral("Análise e desenvolvimento"),
            QStringLiteral("Mariana Teixeira Lobo"),
            QStringLiteral("Paulo César Guimarães"),
            QStringLiteral("Juliana Moreira Castilho"),
            QStringLiteral("Tiago Nascimento Rezende"),
            QString(),
            QStringLiteral("Testes e homologação"),
            QStringLiteral("Cláudia Reis Monteiro"),
            QStringLiteral("Eduardo Pinheiro Sales"),
            QString(),
            QStringLiteral("Apoio aos municípios"),
            QStringLiteral("Associação dos Municípios de Vesperia"),
            QString(),
            QStringLiteral("Obrigado por usar o ORBEL!")};
}

TfrmSobre::TfrmSobre(const TConfigApp &config, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_config(config)
{
    setObjectName(QStringLiteral("frmSobre"));
    setWindowTitle(QStringLiteral("Sobre"));
    setFixedSize(420, 300);
    auto *raiz = new QHBoxLayout(this);
    auto *esquerda = new QVBoxLayout;
    auto *ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(Figuras::iconePrograma().pixmap(64, 64));
    esquerda->addWidget(ProgramIcon);
    auto *lbSigla = new QLabel(QStringLiteral("ORBEL"), this);
    lbSigla->setObjectName(QStringLiteral("lbSigla"));
    lbSigla->setStyleSheet(QStringLiteral("color: #c0392b; font-weight: bold; font-size: 18pt;"));
    esquerda->addWidget(lbSigla);
    auto *lbNomeSistema = new QLabel(QStringLiteral("Orbelia"), this);
    lbNomeSistema->setObjectName(QStringLiteral("lbNomeSistema"));
    lbNomeSistema->setStyleSheet(QStringLiteral("font-weight: bold;"));
    esquerda->addWidget(lbNomeSistema);
    lblVersao = new QLabel(this);
    lblVersao->setObjectName(QStringLiteral("lblVersao"));
    esquerda->addWidget(lblVersao);
    esquerda->addStretch();
    raiz->addLayout(esquerda);

    m_sCreditos = new QWidget(this);
    m_sCreditos->setObjectName(QStringLiteral("sCreditos"));
    m_sCreditos->setStyleSheet(
        QStringLiteral("QWidget#sCreditos { background: white; border: 1px solid #888; }"));
    m_sCreditos->setAttribute(Qt::WA_StyledBackground);
    m_sCreditos->setFixedSize(240, 270);
    m_texto = new QLabel(LinhasCreditos().join(u'\n'), m_sCreditos);
    m_texto->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_texto->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    m_texto->setFixedWidth(236);
    m_texto->setWordWrap(true);
    m_texto->adjustSize();
    raiz->addWidget(m_sCreditos);

    tCreditos = new QTimer(this);
    tCreditos->setInterval(30);
    connect(tCreditos, &QTimer::timeout, this, &TfrmSobre::rola);
    m_y = m_sCreditos->height();
    m_texto->move(2, m_y);
}

void TfrmSobre::mostra()
{
    show();
    raise();
    activateWindow();
}

void TfrmSobre::showEvent(QShowEvent *e)
{
    // the version may have changed since the window was made
    lblVersao->setText(QStringLiteral("Versão: ") + m_config.VersaoSistema());
    if (QScreen *tela = screen() ? screen() : QGuiApplication::primaryScreen())
        move(tela->geometry().center() - rect().center());
    tCreditos->start();
    QDialog::showEvent(e);
}

void TfrmSobre::hideEvent(QHideEvent *e)
{
    tCreditos->stop();
    QDialog::hideEvent(e);
}

void TfrmSobre::rola()
{
    // one step every 30 ms; when the last line has gone, start again from below
    --m_y;
    if (m_y < -m_texto->height())
        m_y = m_sCreditos->height();
    m_texto->move(2, m_y);
}

int TfrmSobre::deslocamento() const
{
    return m_y;
}
