#include "support/arquivosteste.h"

#include "shell/win1252.h"
#include "shell/zipengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

LinhaFixa CabecaRetorno(const char *tipo, const char *ie, const char *municipio)
{
    LinhaFixa l(18);
    l.poe(1, QLatin1String(tipo)).poe(3, QLatin1String(municipio)).poe(6, QLatin1String(ie));
    return l;
}

LinhaFixa LinhaAtivoTeste(const QString &ie, const QString &municipio, const QString &cnpj,
                          const QString &nome)
{
    LinhaFixa l(716);
    l.poe(1, ie.leftJustified(13)).poe(14, "VP").poe(16, nome.leftJustified(60));
    l.poe(76, "RU").poe(82, QStringLiteral("DAS FLORES").leftJustified(50)).poe(232, "00123");
    l.poe(242, "RUA").poe(245, QStringLiteral("CENTRO").leftJustified(34));
    l.poe(293, "012345")
        .poe(299, "vp")
        .poe(301, "12345678901")
        .poe(326, QStringLiteral("JOSE CONTADOR").leftJustified(33));
    l.poe(442, "31").poe(444, "987654321").poe(453, "1234");
    l.poe(461, "000000000123.45").poe(476, "01").poe(488, "000000000010.00");
    l.poe(510, "3010000").poe(517, municipio).poe(520, "4711302").poe(527, "00");
    l.poe(540, "VP").poe(542, QStringLiteral("alvorada").leftJustified(30)).poe(572, "centro");
    l.poe(600, "bairro novo").poe(620, "Contato@Empresa.COM.BR").poe(670, "002");
    l.poe(673, "000000001000.00").poe(688, "000000002000.00").poe(703, cnpj.leftJustified(14));
    return l;
}

void GravaZipCaptura(const QString &zip, const QStringList &linhas)
{
    QTemporaryDir dir;
    // the state names the text file after the archive, with P for its first letter
    const QString txt =
        dir.filePath(QStringLiteral("P") + QFileInfo(zip).completeBaseName().mid(1) + QStringLiteral(".txt"));
    QFile f(txt);
    f.open(QIODevice::WriteOnly);
    for (const QString &l : linhas)
        f.write(Win1252::encode(l) + "\r\n");
    f.close();
    QFile::remove(zip);
    ZipEngine().adiciona(zip, txt);
}
