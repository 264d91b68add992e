#include "capture/contextocaptura.h"

#include "shell/diretorios.h"

#include <QFileInfo>

QString ArquivoTextoCaptura(const QString &arquivoZip)
{
    const QFileInfo fi(arquivoZip);
    QString nome = fi.fileName();
    const int ponto = nome.lastIndexOf(u'.');
    if (ponto >= 0)
        nome.truncate(ponto);
    return DiretorioTemp() + QStringLiteral("P") + nome.mid(1) + QStringLiteral(".txt");
}
