#include "shell/gravacaosegura.h"

#include <QFile>
#include <QSaveFile>

bool ConcluiGravacao(QSaveFile &arquivo)
{
    if (!arquivo.flush()) {
        arquivo.cancelWriting(); // the temporary file goes with the object
        return false;
    }
    return arquivo.commit();
}

bool AcrescentaInteiro(QFile &arquivo, const char *dados, long long tamanho)
{
    const qint64 antes = arquivo.size();
    if (arquivo.write(dados, tamanho) == tamanho)
        return true;
    arquivo.resize(antes);
    return false;
}
