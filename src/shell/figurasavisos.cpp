#include "shell/figurasavisos.h"

#include "shell/gravacaosegura.h"
#include "shell/orbelerror.h"
#include "shell/win1252.h"

#include <QPainter>
#include <QSaveFile>

QImage MarcadorAviso(bool habilitado)
{
    QImage p(16, 16, QImage::Format_RGB32);
    p.fill(Qt::white);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(habilitado ? QColor(0x2e, 0x8b, 0x57) : QColor(160, 160, 160));
    QPolygonF seta;
    seta << QPointF(3, 2) << QPointF(13, 8) << QPointF(3, 14);
    g.drawPolygon(seta);
    return p;
}

void GravaFigurasAvisos(const QString &pastaBin)
{
    for (bool habilitado : {true, false}) {
        const QString nome =
            pastaBin + (habilitado ? QStringLiteral("/Item.bmp") : QStringLiteral("/ItemDisable.bmp"));
        QSaveFile f(nome);
        if (!f.open(QIODevice::WriteOnly) || !MarcadorAviso(habilitado).save(&f, "BMP") ||
            !ConcluiGravacao(f))
            throw OrbelError(QStringLiteral("Não foi possível gravar ") + nome);
    }
}

void GravaAvisosExemplo(const QString &pastaBin)
{
    const QString texto = QStringLiteral(
        "1Bem-vindo ao ORBEL. Capture primeiro o arquivo de contribuintes ativos e depois o retorno com as "
        "declarações.\r\n"
        "1O prazo de entrega da DAMEF do ano-base encerra em 31 de março; acompanhe as declarações recusadas "
        "no relatório de controle.\r\n"
        "1Faça uma cópia de segurança da base de dados antes de cada nova captura (menu Utilitários, Cópia "
        "de Segurança).\r\n"
        "0Índices provisórios publicados pela Secretaria de Estado da Fazenda de Vesperia em 30 de junho.\r\n"
        "0Versões anteriores do ORBEL não devem ser usadas com esta base de dados.\r\n");
    QSaveFile f(pastaBin + QStringLiteral("/Msgs.dat"));
    if (!f.open(QIODevice::WriteOnly) || f.write(Win1252::encode(texto)) < 0 || !ConcluiGravacao(f))
        throw OrbelError(QStringLiteral("Não foi possível gravar ") + f.fileName());
}
