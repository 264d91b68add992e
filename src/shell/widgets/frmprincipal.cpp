#include "shell/widgets/frmprincipal.h"

#include "shell/configapp.h"
#include "shell/diretorios.h"
#include "shell/formatacao.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"
#include "shell/widgets/ajuda.h"
#include "shell/widgets/figuras.h"
#include "shell/widgets/frmsobre.h"

#include "shell/widgets/componentes.h"
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

TfrmPrincipal::TfrmPrincipal(TConfigApp &config, UserInterface &ui, std::function<QString()> leAnoBase,
                             QWidget *parent)
    : QMainWindow(parent), m_config(config), m_ui(ui), m_leAnoBase(std::move(leAnoBase))
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowIcon(Figuras::iconePrograma());
    montaTela();
    m_sobre = new TfrmSobre(m_config, this);
    m_sobre->hide();
}

TfrmPrincipal::~TfrmPrincipal()
{
    // removing the scratch folder only succeeds when it is empty; nothing to report otherwise
    QDir().rmdir(DiretorioSistema() + QStringLiteral("temp"));
}

QAction *TfrmPrincipal::acao(const QString &nome, const QString &texto, const QString &janela)
{
    auto *a = new QAction(texto, this);
    a->setObjectName(nome);
    if (!janela.isEmpty()) {
        // disabled until the program gives the window's opener
        a->setEnabled(false);
        m_acoes[janela].append(a);
        connect(a, &QAction::triggered, this, [this, janela] { abreJanela(janela); });
    }
    return a;
}

QToolButton *TfrmPrincipal::botao(const char *nome, const QString &texto, const QString &icone, QAction *a)
{
    auto *b = new QToolButton;
    b->setObjectName(QLatin1String(nome));
    b->setText(texto);
    b->setIcon(Figuras::icone(icone, 40));
    b->setIconSize(QSize(40, 40));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setMinimumWidth(96);
    b->setCursor(Qt::PointingHandCursor);
    if (a) {
        connect(b, &QToolButton::clicked, a, &QAction::trigger);
        connect(a, &QAction::changed, b, [a, b] { b->setEnabled(a->isEnabled()); });
        b->setEnabled(a->isEnabled());
    }
    return b;
}

void TfrmPrincipal::montaTela()
{
    // --- actions and menu ---
    auto *actSair = acao(QStringLiteral("actSair"), QStringLiteral("&Sair"), {});
    actSair->setToolTip(QStringLiteral("Sair"));
    actSair->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    connect(actSair, &QAction::triggered, this, &QWidget::close);
    auto *actSobre = acao(QStringLiteral("actSobre"), QStringLiteral("&Sobre"), {});
    connect(actSobre, &QAction::triggered, this, [this] { m_sobre->mostra(); });

    auto *mCadastro = menuBar()->addMenu(QStringLiteral("&Cadastro"));
    auto *aAtivos = acao(QStringLiteral("Ativos1"), QStringLiteral("&Ativos"), QStringLiteral("Ativos"));
    auto *aDecl =
        acao(QStringLiteral("Declaraes1"), QStringLiteral("&Declarações"), QStringLiteral("Declaracoes"));
    mCadastro->addAction(aAtivos);
    mCadastro->addAction(aDecl);
    mCadastro->addSeparator();
    auto *sair1 = mCadastro->addAction(QStringLiteral("&Sair"));
    sair1->setObjectName(QStringLiteral("Sair1"));
    sair1->setShortcut(actSair->shortcut());
    connect(sair1, &QAction::triggered, actSair, &QAction::trigger);
    addAction(actSair);

    auto *mUtil = menuBar()->addMenu(QStringLiteral("&Utilitários"));
    auto *aCapturar =
        acao(QStringLiteral("Capturar1"), QStringLiteral("Cap&turar"), QStringLiteral("Capturar"));
    auto *aRelat =
        acao(QStringLiteral("Relatrios1"), QStringLiteral("Relatór&ios"), QStringLiteral("Relatorios"));
    mUtil->addAction(aCapturar);
    mUtil->addAction(aRelat);
    mUtil->addAction(
        acao(QStringLiteral("VerCNAEF1"), QStringLiteral("&Visualizador CNAE"), QStringLiteral("VerCNAEF")));
    mUtil->addAction(acao(QStringLiteral("RegimedeRecolhimento1"), QStringLiteral("Re&gime de Recolhimento"),
                          QStringLiteral("RegimeRecolhimento")));
    mUtil->addSeparator();
    mUtil->addAction(
        acao(QStringLiteral("mnuParametros"), QStringLiteral("&Parâmetros"), QStringLiteral("Parametros")));
    mUtil->addAction(
        acao(QStringLiteral("mnuBackup"), QStringLiteral("&Cópia de Segurança"), QStringLiteral("Backup")));
    mUtil->addAction(
        acao(QStringLiteral("mnuRestore"), QStringLiteral("&Restauração"), QStringLiteral("Restore")));
    mUtil->addSeparator();
    mUtil->addAction(acao(QStringLiteral("mnuLimparBase"), QStringLiteral("&Limpar base de dados"),
                          QStringLiteral("LimparBase")));

    auto *mAjuda = menuBar()->addMenu(QStringLiteral("&Ajuda"));
    auto *conteudo = mAjuda->addAction(QStringLiteral("&Conteúdo"));
    conteudo->setObjectName(QStringLiteral("Contedo1"));
    connect(conteudo, &QAction::triggered, this, [this] { MostraAjuda(1, &m_ui); });
    auto *mnuSobre = mAjuda->addAction(actSobre->text());
    mnuSobre->setObjectName(QStringLiteral("mnuSobre"));
    mnuSobre->setVisible(false);
    connect(mnuSobre, &QAction::triggered, actSobre, &QAction::trigger);

    // --- tool bar ---
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlCentral"));
    auto *raiz = new QVBoxLayout(central);
    raiz->setContentsMargins(0, 0, 0, 0);
    raiz->setSpacing(0);
    auto *Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setStyleSheet(QStringLiteral(
        "QFrame#Panel1 { background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 #eaf1fb, stop:1 #c9d9f0);"
        " border-bottom: 1px solid #8aa6cf; }"
        "QToolButton { font-weight: bold; color: #1f3f6c; padding: 4px; }"
        "QToolButton:hover { background: rgba(255,255,255,0.6); border-radius: 6px; }"));
    auto *barra = new QHBoxLayout(Panel1);
    barra->setContentsMargins(8, 4, 8, 4);
    barra->addWidget(
        botao("sbtnAtivos", QStringLiteral("Contrib. Ativos"), QStringLiteral("ativos"), aAtivos));
    barra->addWidget(
        botao("sbtnDeclaracoes", QStringLiteral("Declarações"), QStringLiteral("declaracoes"), aDecl));
    barra->addWidget(
        botao("sbtnCapturar", QStringLiteral("Capturar"), QStringLiteral("capturar"), aCapturar));
    barra->addWidget(
        botao("sbtnRelatorios", QStringLiteral("Relatórios"), QStringLiteral("relatorios"), aRelat));
    auto *btnAjuda = botao("btnAjuda", QStringLiteral("Ajuda"), QStringLiteral("ajuda"), nullptr);
    connect(btnAjuda, &QToolButton::clicked, this, [this] { MostraAjuda(1, &m_ui); });
    barra->addWidget(btnAjuda);
    barra->addStretch();
    auto *btnSair = botao("btnSair", QStringLiteral("Sair"), QStringLiteral("sair"), actSair);
    btnSair->setToolTip(QStringLiteral("Sair"));
    barra->addWidget(btnSair);
    raiz->addWidget(Panel1);

    // --- identity panel and work area ---
    auto *corpo = new QWidget(central);
    corpo->setObjectName(QStringLiteral("pnlCorpo"));
    corpo->setAutoFillBackground(true);
    QPalette branco = corpo->palette();
    branco.setColor(QPalette::Window, Qt::white);
    corpo->setPalette(branco);
    auto *hl = new QHBoxLayout(corpo);
    hl->setContentsMargins(0, 0, 0, 0);
    hl->setSpacing(0);

    auto *Panel2 = new QWidget(corpo);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(220);
    auto *vl = new QVBoxLayout(Panel2);
    vl->setContentsMargins(16, 24, 8, 16);
    auto *imLogo = NovoRotulo(Panel2, "imLogo", {});
    imLogo->setPixmap(Figuras::logo(140));
    imLogo->setAlignment(Qt::AlignHCenter);
    vl->addWidget(imLogo);
    auto *lPontilhado =
        NovoRotulo(Panel2, "lPontilhado", QStringLiteral("................................................"));
    lPontilhado->setStyleSheet(QStringLiteral("color: #8aa6cf;"));
    vl->addWidget(lPontilhado);
    auto *lbSigla = NovoRotulo(Panel2, "lbSigla", QStringLiteral("ORBEL"));
    lbSigla->setStyleSheet(QStringLiteral("color: #c0392b; font-weight: bold; font-size: 26pt;"));
    vl->addWidget(lbSigla);
    m_lbVersao = NovoRotulo(Panel2, "lbVersao", QStringLiteral("versão "));
    m_lbVersao->setStyleSheet(QStringLiteral("font-weight: bold;"));
    vl->addWidget(m_lbVersao);
    m_lblAnoExercicio = NovoRotulo(Panel2, "lblAnoExercicio", QStringLiteral("Ano Base:"));
    m_lblAnoExercicio->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 12pt;"));
    vl->addWidget(m_lblAnoExercicio);
    vl->addStretch();
    hl->addWidget(Panel2);

    m_area = new QWidget(corpo);
    m_area->setObjectName(QStringLiteral("pnlAvisos"));
    m_area->installEventFilter(this);
    m_sMargem = new QFrame(m_area);
    m_sMargem->setObjectName(QStringLiteral("sMargem"));
    m_sMargem->setStyleSheet(QStringLiteral("background: #a0a0a0;"));
    m_sMargem->setGeometry(0, 0, 1, 4000);
    m_imAvisos = NovoRotulo(m_area, "imAvisos", {});
    m_imAvisos->setPixmap(Figuras::bannerAvisos());
    m_imAvisos->setGeometry(24, 24, 520, 46);
    m_lbVersaoTeste =
        NovoRotulo(m_area, "lbVersaoTeste", QStringLiteral("* * *  V e r s ã o  d e  T e s t e  * * *"));
    m_lbVersaoTeste->setStyleSheet(
        QStringLiteral("color: red; font-weight: bold; text-decoration: underline; font-size: 16pt;"));
    m_lbVersaoTeste->setGeometry(560, 30, 520, 36);
    m_lbVersaoTeste->setVisible(false);
    hl->addWidget(m_area, 1);
    raiz->addWidget(corpo, 1);

    m_lbData =
        NovoRotulo(central, "lbData", QStringLiteral("Data e hora do seu computador: xx/xx/xxxx xx:xx:xx"));
    m_lbData->setStyleSheet(
        QStringLiteral("color: #555; font-size: 8pt; background: white; padding: 2px 8px;"));
    m_lbData->setAlignment(Qt::AlignRight);
    raiz->addWidget(m_lbData);
    setCentralWidget(central);

    auto *sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("sbPrincipal"));
    setStatusBar(sb);

    m_tPrincipal = new QTimer(this);
    m_tPrincipal->setObjectName(QStringLiteral("tPrincipal"));
    m_tPrincipal->setInterval(1000);
    connect(m_tPrincipal, &QTimer::timeout, this, &TfrmPrincipal::atualizaRelogio);
    m_tPrincipal->start();
}

void TfrmPrincipal::registraJanela(const QString &nome, std::function<void()> abre)
{
    m_abridores.insert(nome, std::move(abre));
    for (QAction *a : m_acoes.value(nome))
        a->setEnabled(true);
}

void TfrmPrincipal::abreJanela(const QString &janela)
{
    const auto abre = m_abridores.value(janela);
    if (!abre)
        return;
    // the one place where an error of a window opened from here is shown
    try {
        abre();
    } catch (const std::exception &e) {
        m_ui.mostraErro(mensagemDe(e));
    }
}

void TfrmPrincipal::atualizaRelogio()
{
    m_lbData->setText(QStringLiteral("Data e hora do seu computador: ") +
                      Formatacao::dataHora(QDateTime::currentDateTime()));
}

void TfrmPrincipal::AtualizaAnoBase()
{
    try {
        m_lblAnoExercicio->setText(QStringLiteral("Ano Base: ") + m_leAnoBase());
    } catch (const std::exception &e) {
        m_ui.mostraErro(mensagemDe(e));
    }
}

void TfrmPrincipal::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_mostrada)
        QTimer::singleShot(0, this, &TfrmPrincipal::preparaExibicao);
    m_mostrada = true;
}

void TfrmPrincipal::preparaExibicao()
{
    if (m_preparada)
        return;
    m_preparada = true;
    setWindowTitle(m_config.TituloSistema());
    m_lbVersao->setText(QStringLiteral("Versão: ") + m_config.VersaoSistema());
    AtualizaAnoBase();
    if (isVisible()) {
        // without a window manager "maximized" means nothing, so take the screen's room first
        if (QScreen *tela = screen())
            setGeometry(tela->availableGeometry());
        setWindowState(windowState() | Qt::WindowMaximized);
        QCoreApplication::processEvents();
        repaint();
    }
    m_lbVersaoTeste->setVisible(m_config.VersaoTeste);
    CarregaAvisos();
}

void TfrmPrincipal::CarregaAvisos()
{
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPointSize(10);
    const QFontMetrics fm(fonte);
    const QList<Aviso> lidos = LeAvisos(DiretorioBin() + QStringLiteral("Msgs.dat"));
    // the placement rules speak of the main window; the notices live in the work area
    const QPoint origem = m_area->mapTo(this, QPoint(0, 0));
    MedidasAvisos m;
    m.alturaJanela = height();
    m.larguraJanela = width();
    m.baseBanner = origem.y() + m_imAvisos->y() + m_imAvisos->height();
    m.margem = origem.x() + m_sMargem->x();
    m.alturaLetra = fm.height();
    const QList<PosicaoAviso> pos =
        PosicionaAvisos(lidos, m, [&fm](const QString &t) { return fm.horizontalAdvance(t); });
    bool carregando = true;
    for (int i = 0; i < lidos.size(); ++i) {
        TKLVMensagem msg{lidos[i].habilitado, lidos[i].texto};
        if (carregando && pos[i].visivel) {
            try {
                const QString arquivo = DiretorioBin() + (msg.habilitado ? QStringLiteral("Item.bmp")
                                                                         : QStringLiteral("ItemDisable.bmp"));
                QPixmap figura;
                if (!figura.load(arquivo))
                    throw OrbelError(QStringLiteral("Não foi possível abrir a figura ") + arquivo);
                msg.rotulo = new QLabel(msg.texto, m_area);
                msg.rotulo->setObjectName(QStringLiteral("lblAviso%1").arg(i));
                QFont f = fonte;
                f.setBold(msg.habilitado);
                f.setItalic(!msg.habilitado);
                msg.rotulo->setFont(f);
                msg.rotulo->setWordWrap(true);
                msg.rotulo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                QPalette cor = msg.rotulo->palette();
                cor.setColor(QPalette::WindowText,
                             msg.habilitado ? QColor(Qt::black) : QColor(128, 128, 128));
                msg.rotulo->setPalette(cor);
                msg.rotulo->setGeometry(pos[i].rotulo.translated(-origem));
                msg.rotulo->show();
                msg.figura = new QLabel(m_area);
                msg.figura->setObjectName(QStringLiteral("imAviso%1").arg(i));
                msg.figura->setPixmap(figura);
                msg.figura->setProperty("arquivo", arquivo);
                msg.figura->setGeometry(QRect(pos[i].figura.topLeft() - origem, figura.size()));
                msg.figura->show();
            } catch (const std::exception &e) {
                // a missing picture stops the loading; the window stays usable
                carregando = false;
                m_ui.mostraErro(mensagemDe(e));
            }
        }
        m_avisos.append(msg);
    }
}

void TfrmPrincipal::ancoraAvisos()
{
    // the labels are anchored left, top and right: only their width follows the window
    for (const TKLVMensagem &m : std::as_const(m_avisos))
        if (m.rotulo)
            m.rotulo->resize(std::max(1, m_area->width() - m.rotulo->x() - MargemDireitaAviso),
                             m.rotulo->height());
}

bool TfrmPrincipal::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == m_area && e->type() == QEvent::Resize)
        ancoraAvisos();
    return QMainWindow::eventFilter(obj, e);
}

void TfrmPrincipal::closeEvent(QCloseEvent *e)
{
    if (!m_config.VersaoTeste &&
        m_ui.mensagem(QStringLiteral("Confirme"), QStringLiteral("Deseja sair do sistema ?"),
                      UserInterface::Icone::Pergunta,
                      QFlags<UserInterface::Botao>(UserInterface::Sim) | UserInterface::Nao) !=
            UserInterface::Sim) {
        e->ignore();
        return;
    }
    EsvaziaDiretorio(DiretorioTemp());
    m_sobre->hide();
    e->accept();
}
