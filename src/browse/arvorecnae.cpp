#include "browse/arvorecnae.h"

#include "data/clientdataset.h"

QString TextoNoCNAE(const QString &codigo, const QString &desmembramento, const QString &descricao)
{
    QString texto = codigo;
    if (codigo.size() == 5)
        texto = codigo.left(4) + u'-' + codigo.mid(4);
    else if (codigo.size() == 7)
        texto = codigo.left(4) + u'-' + codigo.mid(4, 1) + u'/' + codigo.mid(5);
    if (desmembramento != u"00")
        texto += QStringLiteral("  [ ") + desmembramento + QStringLiteral(" ]  ");
    return texto + QStringLiteral(" - ") + descricao;
}

QVector<NoCNAE> MontaArvoreCNAE(const ClientDataSet &cnaef)
{
    QVector<NoCNAE> nos;
    int ultimo[5] = {-1, -1, -1, -1, -1}; // last node added at levels 1 to 4
    for (int l = 0; l < cnaef.recordCount(); ++l) {
        const QString codigo = cnaef.valor(l, QStringLiteral("CNAEF_ID")).toString().trimmed();
        const QString desm = cnaef.valor(l, QStringLiteral("DESMEMBRAMENTO")).toString().trimmed();
        const QString descricao = cnaef.valor(l, QStringLiteral("DESCRICAO")).toString().trimmed();
        int nivel;
        switch (codigo.size()) {
        case 2:
            nivel = 1;
            break;
        case 3:
            nivel = 2;
            break;
        case 5:
            nivel = 3;
            break;
        case 7:
            nivel = desm == u"00" ? 4 : 5;
            break;
        default:
            continue;
        }
        nos.append({TextoNoCNAE(codigo, desm, descricao), nivel == 1 ? -1 : ultimo[nivel - 1]});
        if (nivel <= 4)
            ultimo[nivel] = nos.size() - 1;
    }
    return nos;
}
