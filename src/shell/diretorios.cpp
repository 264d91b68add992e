#include "shell/diretorios.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace
{
QString g_sistema;

QString comBarra(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}
} // namespace

void DefineDiretorioSistema(const QString &folder)
{
    g_sistema =
        folder.isEmpty() ? QString() : comBarra(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
}

QString DiretorioSistema()
{
    if (g_sistema.isEmpty())
        return comBarra(QCoreApplication::applicationDirPath());
    return g_sistema;
}

QString DiretorioTemp()
{
    return DiretorioSistema() + QStringLiteral("temp/");
}
QString DiretorioBin()
{
    return DiretorioSistema() + QStringLiteral("bin/");
}
QString ArquivoIni()
{
    return DiretorioSistema() + QStringLiteral("ORBEL.ini");
}

void EsvaziaDiretorio(const QString &folder)
{
    const QString pasta = comBarra(folder);
    if (pasta.size() <= 3)
        return; // never a drive or file-system root
    QDir dir(pasta);
    const auto files = dir.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &fi : files) {
        if (fi.isHidden() || !fi.isFile())
            continue;
        QFile f(fi.absoluteFilePath());
        f.setPermissions(f.permissions() | QFileDevice::WriteOwner);
        f.remove();
    }
}
