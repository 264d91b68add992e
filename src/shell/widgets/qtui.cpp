#include "shell/widgets/qtui.h"

#include "shell/widgets/tfspprogress.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTranslator>
#include <QUrl>
#include <QVBoxLayout>

namespace
{
struct Papel {
    UserInterface::Botao botao;
    QMessageBox::ButtonRole papel;
};
// In the order the buttons stand in the program's boxes. Our own buttons rather than Qt's
// standard ones: Qt has no "All" button, and each caption must be the program's.
const Papel kBotoes[] = {
    {UserInterface::Sim, QMessageBox::YesRole},         {UserInterface::Nao, QMessageBox::NoRole},
    {UserInterface::Ok, QMessageBox::AcceptRole},       {UserInterface::Cancelar, QMessageBox::RejectRole},
    {UserInterface::Abortar, QMessageBox::RejectRole},  {UserInterface::Repetir, QMessageBox::AcceptRole},
    {UserInterface::Ignorar, QMessageBox::AcceptRole},  {UserInterface::Todos, QMessageBox::YesRole},
    {UserInterface::NaoParaTodos, QMessageBox::NoRole}, {UserInterface::SimParaTodos, QMessageBox::YesRole},
    {UserInterface::Ajuda, QMessageBox::HelpRole},      {UserInterface::Fechar, QMessageBox::RejectRole},
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
    case Sim:
        return QStringLiteral("&Sim");
    case Nao:
        return QStringLiteral("&Não");
    case Ok:
        return QStringLiteral("Ok");
    case Cancelar:
        return QStringLiteral("Cancelar");
    case Fechar:
        return QStringLiteral("Fechar");
    case Ajuda:
        return QStringLiteral("&Ajuda");
    case Abortar:
        return QStringLiteral("&Abortar");
    case Repetir:
        return QStringLiteral("&Repetir");
    case Ignorar:
        return QStringLiteral("&Ignorar");
    case Todos:
        return QStringLiteral("&Todos");
    case NaoParaTodos:
        return QStringLiteral("N&ão para Todos");
    case SimParaTodos:
        return QStringLiteral("Sim pata &Todos");
    default:
        return {};
    }
}

QString QtUi::tituloPadrao(Icone icone)
{
    switch (icone) {
    case Icone::Aviso:
        return QStringLiteral("Aviso");
    case Icone::Erro:
        return QStringLiteral("Erro");
    case Icone::Informacao:
        return QStringLiteral("Informação");
    case Icone::Pergunta:
        return QStringLiteral("Confirme");
    default:
        return QStringLiteral("ORBEL");
    }
}

UserInterface::Botao QtUi::mensagem(const QString &titulo, const QString &texto, Icone icone, Botoes botoes)
{
    if (botoes == Botoes(Nenhum))
        botoes = Ok;
    QWidget *dono =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    if (dono && dono == m_aguarde) // it is hidden below while the box is up
        dono = nullptr;
    QMessageBox box(dono);
    box.setWindowTitle(titulo.isEmpty() ? tituloPadrao(icone) : titulo);
    box.setText(QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'));
    switch (icone) {
    case Icone::Informacao:
        box.setIcon(QMessageBox::Information);
        break;
    case Icone::Aviso:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icone::Erro:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icone::Pergunta:
        box.setIcon(QMessageBox::Question);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    QHash<QAbstractButton *, Botao> respostas;
    for (const Papel &p : kBotoes) {
        if (!botoes.testFlag(p.botao))
            continue;
        QPushButton *b = box.addButton(textoBotao(p.botao), p.papel);
        respostas.insert(b, p.botao);
        if (!box.defaultButton())
            box.setDefaultButton(b);
    }
    // Escape and the close box answer as the program's dialogs do: Cancel, else No, else OK
    for (Botao fuga : {Cancelar, Nao, Ok, Fechar}) {
        if (QAbstractButton *b = respostas.key(fuga, nullptr)) {
            box.setEscapeButton(b);
            break;
        }
    }

    // the box must not hide behind the wait message, nor show the hourglass
    const bool tinhaAguarde = m_aguarde;
    if (tinhaAguarde)
        m_aguarde->hide();
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    QGuiApplication::restoreOverrideCursor();
    if (tinhaAguarde && m_aguarde)
        m_aguarde->show();

    const auto it = respostas.constFind(box.clickedButton());
    if (it != respostas.cend())
        return it.value();
    if (botoes.testFlag(Cancelar))
        return Cancelar;
    return botoes.testFlag(Nao) ? Nao : Ok;
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
    const QSize medida =
        QFontMetrics(m_texto->font()).boundingRect(QRect(0, 0, 4000, 4000), Qt::AlignCenter, texto).size();
    const int largura = std::max(600, medida.width() + 60);
    const int altura = medida.height() + 60;
    m_aguarde->setFixedSize(largura, altura);
    if (QScreen *tela = QGuiApplication::primaryScreen())
        m_aguarde->move(tela->geometry().center() - QPoint(largura / 2, altura / 2));
    m_aguarde->show();
    m_aguarde->raise();
    // the caller goes on working without an event loop: paint now; clicks wait for the work
    m_aguarde->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QWidget *QtUi::janelaAguarde() const
{
    return m_aguarde;
}

QString QtUi::filtroQt(const QString &filtro)
{
    if (!filtro.contains(u'|'))
        return filtro;
    const QStringList partes = filtro.split(u'|');
    QStringList filtros;
    for (int i = 0; i + 1 < partes.size(); i += 2) {
        QString padroes = partes[i + 1].trimmed();
        padroes.replace(u';', u' ');
        padroes.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        const QString descricao = partes[i].trimmed();
        // "Arquivos compactados(*.zip)" already ends in its patterns, as Qt wants them
        if (descricao.endsWith(u')') && descricao.contains(u'('))
            filtros << descricao;
        else
            filtros << QStringLiteral("%1 (%2)").arg(descricao, padroes);
    }
    return filtros.join(QStringLiteral(";;"));
}

QString QtUi::escolheArquivo(const QString &titulo, const QString &pasta, const QString &filtro)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), titulo, pasta, filtroQt(filtro));
}

QString QtUi::escolheArquivoParaGravar(const QString &titulo, const QString &caminho, const QString &filtro)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), titulo, caminho, filtroQt(filtro));
}

QString QtUi::escolhePasta(const QString &titulo, const QString &pasta)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), titulo, pasta);
}

void QtUi::abrePasta(const QString &pasta)
{
    // the desktop's own file manager, as "explorer.exe" with the folder is on Windows
    QDesktopServices::openUrl(QUrl::fromLocalFile(pasta));
}

void QtUi::processaEventos()
{
    QCoreApplication::processEvents();
}

std::unique_ptr<JanelaProgresso> QtUi::criaJanelaProgresso()
{
    return std::make_unique<TfSPProgress>();
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
