#include "shell/widgets/ajuda.h"

#include "shell/diretorios.h"
#include "shell/userinterface.h"
#include "shell/widgets/qtui.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace
{

// The help window: topics on the left, the text on the right, back and forward as in a browser.
class JanelaAjuda : public QWidget
{
  public:
    JanelaAjuda()
    {
        setObjectName(QStringLiteral("frmAjuda"));
        setWindowTitle(QStringLiteral("Ajuda"));
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_QuitOnClose, false); // closing the main window still ends the program
        resize(860, 600);

        auto *voltar = new QToolButton(this);
        voltar->setObjectName(QStringLiteral("btnVoltar"));
        voltar->setText(QStringLiteral("< Voltar"));
        voltar->setEnabled(false);
        auto *avancar = new QToolButton(this);
        avancar->setObjectName(QStringLiteral("btnAvancar"));
        avancar->setText(QStringLiteral("Avançar >"));
        avancar->setEnabled(false);
        auto *inicio = new QToolButton(this);
        inicio->setObjectName(QStringLiteral("btnInicio"));
        inicio->setText(QStringLiteral("Início"));

        m_topicos = new QListWidget(this);
        m_topicos->setObjectName(QStringLiteral("lstTopicos"));
        m_texto = new QTextBrowser(this);
        m_texto->setObjectName(QStringLiteral("txtAjuda"));
        m_texto->setOpenExternalLinks(true);

        auto *barra = new QHBoxLayout;
        barra->addWidget(voltar);
        barra->addWidget(avancar);
        barra->addWidget(inicio);
        barra->addStretch();
        auto *divisao = new QSplitter(this);
        divisao->addWidget(m_topicos);
        divisao->addWidget(m_texto);
        divisao->setStretchFactor(1, 1);
        divisao->setSizes({220, 640});
        auto *raiz = new QVBoxLayout(this);
        raiz->addLayout(barra);
        raiz->addWidget(divisao);

        connect(voltar, &QToolButton::clicked, m_texto, &QTextBrowser::backward);
        connect(avancar, &QToolButton::clicked, m_texto, &QTextBrowser::forward);
        connect(inicio, &QToolButton::clicked, this, [this] { vaiPara(AncoraAjuda(1)); });
        connect(m_texto, &QTextBrowser::backwardAvailable, voltar, &QToolButton::setEnabled);
        connect(m_texto, &QTextBrowser::forwardAvailable, avancar, &QToolButton::setEnabled);
        connect(m_topicos, &QListWidget::itemActivated, this,
                [this](QListWidgetItem *item) { vaiPara(item->data(Qt::UserRole).toString()); });
        connect(m_topicos, &QListWidget::itemClicked, this,
                [this](QListWidgetItem *item) { vaiPara(item->data(Qt::UserRole).toString()); });
        connect(m_texto, &QTextBrowser::sourceChanged, this, &JanelaAjuda::marcaTopico);
    }

    void abre(const QString &arquivo, const QString &ancora)
    {
        if (m_arquivo != arquivo) {
            m_arquivo = arquivo;
            m_texto->clearHistory();
            m_texto->setSource(QUrl::fromLocalFile(arquivo), QTextDocument::HtmlResource);
            listaTopicos();
        }
        vaiPara(ancora);
    }

  private:
    void vaiPara(const QString &ancora)
    {
        QUrl url = QUrl::fromLocalFile(m_arquivo);
        url.setFragment(ancora);
        m_texto->setSource(url, QTextDocument::HtmlResource);
    }

    // One entry per "topicoN" anchor, named after the text of the line that holds it.
    void listaTopicos()
    {
        static const QRegularExpression nome(QStringLiteral("^topico\\d+$"));
        m_topicos->clear();
        for (QTextBlock b = m_texto->document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QStringList ancoras = it.fragment().charFormat().anchorNames();
                for (const QString &a : ancoras) {
                    if (!nome.match(a).hasMatch())
                        continue;
                    auto *item = new QListWidgetItem(b.text().trimmed(), m_topicos);
                    item->setData(Qt::UserRole, a);
                }
            }
        }
    }

    void marcaTopico(const QUrl &url)
    {
        for (int i = 0; i < m_topicos->count(); ++i)
            if (m_topicos->item(i)->data(Qt::UserRole).toString() == url.fragment()) {
                m_topicos->setCurrentRow(i);
                return;
            }
    }

    QString m_arquivo;
    QListWidget *m_topicos = nullptr;
    QTextBrowser *m_texto = nullptr;
};

QPointer<JanelaAjuda> g_janela;

} // namespace

QString AncoraAjuda(int contexto)
{
    return QStringLiteral("topico%1").arg(contexto);
}

void MostraAjuda(int contexto, UserInterface *ui)
{
    const QString arquivo = DiretorioSistema() + QStringLiteral("ORBEL.HLP");
    const QFileInfo info(arquivo);
    if (!info.isFile() || !info.isReadable()) {
        QtUi propria;
        (ui ? ui : &propria)
            ->mensagem(QStringLiteral("Ajuda"), QStringLiteral("Não há arquivo de ajuda"),
                       UserInterface::Icone::Aviso, UserInterface::Ok);
        return;
    }
    if (!g_janela)
        g_janela = new JanelaAjuda;
    g_janela->abre(info.absoluteFilePath(), AncoraAjuda(contexto));
    g_janela->show();
    g_janela->raise();
    g_janela->activateWindow();
}
