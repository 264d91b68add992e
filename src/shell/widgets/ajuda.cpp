#include "shell/widgets/ajuda.h"

#include "shell/diretorios.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace {
QPointer<QTextBrowser> g_janela;
}

void MostraAjuda(int contexto, UserInterface *ui)
{
    const QString arquivo = DiretorioSistema() + QStringLiteral("ORBEL.HLP");
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        if (ui)
            ui->mensagem(QStringLiteral("Ajuda"), QStringLiteral("Não há arquivo de ajuda"),
                         UserInterface::Icone::Informacao, UserInterface::Ok);
        return;
    }
    if (!g_janela) {
        g_janela = new QTextBrowser;
        g_janela->setAttribute(Qt::WA_DeleteOnClose);
        g_janela->setAttribute(Qt::WA_QuitOnClose, false);
        g_janela->setObjectName(QStringLiteral("frmAjuda"));
        g_janela->setWindowTitle(QStringLiteral("Ajuda"));
        g_janela->resize(720, 560);
        g_janela->setOpenExternalLinks(false);
    }
    g_janela->setHtml(QString::fromUtf8(f.readAll()));
    g_janela->scrollToAnchor(QStringLiteral("topico%1").arg(contexto));
    g_janela->show();
    g_janela->raise();
    g_janela->activateWindow();
}

void InstalaAjuda(const QString &destino)
{
    QFile::remove(destino);
    if (!QFile::copy(QStringLiteral(":/ajuda/ORBEL.HLP"), destino))
        throw OrbelError(QStringLiteral("Não foi possível gravar ") + destino);
    QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
