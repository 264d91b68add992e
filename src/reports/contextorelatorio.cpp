#include "reports/contextorelatorio.h"

TContextoRelatorio &TContextoRelatorio::DoPrograma()
{
    static TContextoRelatorio contexto;
    return contexto;
}

QString ConverteData(const QString &data)
{
    return QString(data).replace(u'/', u'.');
}
