#include "capture/contextocaptura.h"

#include "shell/diretorios.h"
#include "shell/orbelerror.h"

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

TransacaoEmLote &ContextoCaptura::tx() const
{
    if (!transacao)
        throw OrbelError(QStringLiteral("A captura não abriu sua transação."));
    return *transacao;
}

QString BancoNaoAlterado()
{
    return QStringLiteral("A captura foi desfeita: o banco de dados não foi alterado.");
}

QString DescreveLinha(qint64 linha, const QString &registro, const QString &ie)
{
    QStringList partes;
    if (!registro.isEmpty())
        partes << QStringLiteral("registro ") + registro;
    if (!ie.isEmpty())
        partes << QStringLiteral("IE ") + ie;
    QString texto = QStringLiteral("Linha %1 do arquivo").arg(linha);
    if (!partes.isEmpty())
        texto += QStringLiteral(" (") + partes.join(QStringLiteral(", ")) + u')';
    return texto + u'.';
}
