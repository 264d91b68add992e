#include "shell/widgets/qtui.h"

#include "shell/janelaprogressotexto.h"

#include <QApplication>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTranslator>
#include <QVBoxLayout>

#if __has_include("shell/widgets/tfspprogress.h")
#include "shell/widgets/tfspprogress.h"
#define ORBEL_TEM_TFSPPROGRESS 1
#endif

namespace {
struct Par
{
    UserInterface::Botao nosso;
    QMessageBox::StandardButton qt;
};
const Par kBotoes[] = {
    {UserInterface::Ok, QMessageBox::Ok},           {UserInterface::Cancelar, QMessageBox::Cancel},
    {UserInterface::Sim, QMessageBox::Yes},         {UserInterface::Nao, QMessageBox::No},
    {UserInterface::Abortar, QMessageBox::Abort},   {UserInterface::Repetir, QMessageBox::Retry},
    {UserInterface::Ignorar, QMessageBox::Ignore},  {UserInterface::Todos, QMessageBox::YesToAll},
    {UserInterface::NaoParaTodos, QMessageBox::NoToAll}, {UserInterface::SimParaTodos, QMessageBox::YesToAll},
    {UserInterface::Ajuda, QMessageBox::Help},      {UserInterface::Fechar, QMessageBox::Close},
};
} // namespace

QtUi::QtUi() = default;

QtUi::~QtUi()
{
    aguarde(QString());
}

QString QtUi::textoBotao(Botao b)
{
    switch (b) {
    case Sim: return QStringLiteral("&Sim");
    case Nao: return QStringLiteral("&Não");
    case Ok: return QStringLiteral("Ok");
    case Cancelar: return QStringLiteral("Cancelar");
    case Fechar: return QStringLiteral("Fechar");
    case Ajuda: return QStringLiteral("&Ajuda");
    case Abortar: return QStringLiteral("&Abortar");
    case Repetir: return QStringLiteral("&Repetir");
    case Ignorar: return QStringLiteral("&Ignorar");
    case Todos: return QStringLiteral("&Todos");
    case NaoParaTodos: return QStringLiteral("N&ão para Todos");
    case SimParaTodos: return QStringLiteral("Sim pata &Todos");
    default: return {};
    }
}

QString QtUi::tituloPadrao(Icone icone)
{
    switch (icone) {
    case Icone::Aviso: return QStringLiteral("Aviso");
    case Icone::Erro: return QStringLiteral("Erro");
    case Icone::Informacao: return QStringLiteral("Informação");
    case Icone::Pergunta: return QStringLiteral("Confirme");
    default: return QStringLiteral("ORBEL");
    }
}

UserInterface::Botao QtUi::mensagem(const QString &titulo, const QString &texto, Icone icone, Botoes botoes)
{
    // a box must not hide behind the wait message
    const bool tinhaAguarde = m_aguarde;
    if (tinhaAguarde)
        m_aguarde->hide();
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(titulo.isEmpty() ? tituloPadrao(icone) : titulo);
    box.setText(QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'));
    switch (icone) {
    case Icone::Informacao: box.setIcon(QMessageBox::Information); break;
    case Icone::Aviso: box.setIcon(QMessageBox::Warning); break;
    case Icone::Erro: box.setIcon(QMessageBox::Critical); break;
    case Icone::Pergunta: box.setIcon(QMessageBox::Question); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    for (const Par &p : kBotoes) {
        if (!botoes.testFlag(p.nosso) || box.button(p.qt))
            continue;
        box.addButton(p.qt)->setText(textoBotao(p.nosso));
    }
    if (box.buttons().isEmpty())
        box.addButton(QMessageBox::Ok)->setText(textoBotao(Ok));
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    QGuiApplication::restoreOverrideCursor();
    if (tinhaAguarde && m_aguarde)
        m_aguarde->show();
    const auto clicado = box.standardButton(box.clickedButton());
    for (const Par &p : kBotoes)
        if (p.qt == clicado && botoes.testFlag(p.nosso))
            return p.nosso;
    // Escape or the close box: the safest answer offered
    if (botoes.testFlag(Nao))
        return Nao;
    if (botoes.testFlag(Cancelar))
        return Cancelar;
    return Ok;
}

void QtUi::aguarde(const QString &texto)
{
    if (texto.isEmpty()) {
        if (m_aguarde) {
            delete m_aguarde.data();
            QGuiApplication::restoreOverrideCursor();
        }
        return;
    }
    if (!m_aguarde) {
        auto *janela = new QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        janela->setObjectName(QStringLiteral("frmAguarde"));
        janela->setAttribute(Qt::WA_ShowWithoutActivating);
        auto *painel = new QFrame(janela);
        painel->setObjectName(QStringLiteral("pnlAguarde"));
        painel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        painel->setLineWidth(2);
        auto *l = new QVBoxLayout(janela);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(painel);
        auto *lp = new QVBoxLayout(painel);
        m_texto = new QLabel(painel);
        m_texto->setObjectName(QStringLiteral("lblAguarde"));
        m_texto->setAlignment(Qt::AlignCenter);
        QFont f = m_texto->font();
        f.setBold(true);
        f.setPointSize(f.pointSize() + 2);
        m_texto->setFont(f);
        m_texto->setStyleSheet(QStringLiteral("color: black;"));
        lp->addWidget(m_texto);
        janela->setStyleSheet(QStringLiteral("QFrame#frmAguarde { background: #f4f4f4; }"));
        m_aguarde = janela;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    m_texto->setText(texto);
    const QFontMetrics fm(m_texto->font());
    const int largura = std::max(600, fm.horizontalAdvance(texto) + 60);
    const int altura = fm.height() + 60;
    m_aguarde->setFixedSize(largura, altura);
    if (QScreen *tela = QGuiApplication::primaryScreen()) {
        const QRect r = tela->availableGeometry();
        m_aguarde->move(r.center() - QPoint(largura / 2, altura / 2));
    }
    m_aguarde->show();
    m_aguarde->raise();
    m_aguarde->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QWidget *QtUi::janelaAguarde() const
{
    return m_aguarde;
}

QString QtUi::escolheArquivo(const QString &titulo, const QString &pasta, const QString &filtro)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), titulo, pasta, filtro);
}

QString QtUi::escolheArquivoParaGravar(const QString &titulo, const QString &caminho, const QString &filtro)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), titulo, caminho, filtro);
}

QString QtUi::escolhePasta(const QString &titulo, const QString &pasta)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), titulo, pasta);
}

void QtUi::processaEventos()
{
    QCoreApplication::processEvents();
}

std::unique_ptr<JanelaProgresso> QtUi::criaJanelaProgresso()
{
#ifdef ORBEL_TEM_TFSPPROGRESS
    return std::make_unique<TfSPProgress>();
#else
    return UserInterface::criaJanelaProgresso();
#endif
}

void InstalaTextosPadrao(QApplication &app)
{
    // Qt keeps no table of dialog captions to replace; its own translation covers the pickers
    auto *t = new QTranslator(&app);
    if (t->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(t);
    else
        delete t; // not installed: the pickers stay in English, nothing else depends on it
}

void InstalaTextosPadrao()
{
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        InstalaTextosPadrao(*app);
}
