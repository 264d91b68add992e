#include "capture/conferetipoarquivo.h"

#include "capture/camposfixos.h"
#include "capture/linhaativo.h"
#include "data/executasql.h"
#include "data/tdmprincipal.h"
#include "shell/leitorlinhas.h"
#include "shell/orbelerror.h"

#include <QSet>

namespace
{

// Enough lines to tell the kinds apart without reading a state's file twice.
constexpr int kLinhasConferidas = 5;
// An active-taxpayer line runs to position 716, but trimming may take the blanks of its last
// fields; the municipality code at 517-519 must be there.
constexpr int kMinimoLinhaAtivo = 519;

bool tipoRetornoExiste(QStringView tipo)
{
    if (tipo == u"0A" || tipo == u"0B")
        return true;
    bool ok = false;
    const int n = tipo.toInt(&ok);
    return ok && tipo.size() == 2 && ((n >= 1 && n <= 25) || n == 35 || n == 40 || n == 99);
}

QSet<QString> municipios(TdmPrincipal &dm)
{
    QSet<QString> m;
    QSqlQuery q = ExecutaSql(dm.MainConnection(), QStringLiteral("SELECT MUNIC_CODIGO FROM MUNICIPIOS"));
    while (q.next())
        m.insert(q.value(0).toString().trimmed());
    return m;
}

} // namespace

bool PareceLinhaAtivo(QStringView l, const QSet<QString> &municipios)
{
    return l.size() >= kMinimoLinhaAtivo && municipios.contains(LinhaAtivo::municipio(l));
}

bool PareceLinhaRetorno(QStringView l, const QSet<QString> &municipios)
{
    return tipoRetornoExiste(CamposFixos::campo(l, 1, 2)) && municipios.contains(CamposFixos::texto(l, 3, 5));
}

void ConfereTipoArquivo(TdmPrincipal &dm, const QString &arquivoTexto, const QString &nomeArquivo,
                        bool retorno)
{
    const QSet<QString> cadastrados = municipios(dm);
    const QString tipo =
        retorno ? QStringLiteral("de retorno de declarações") : QStringLiteral("de contribuintes ativos");
    const QString inicio = QStringLiteral("O arquivo %1 não parece ser %2: ").arg(nomeArquivo, tipo);
    LeitorLinhas leitor(arquivoTexto);
    QString bruta;
    int conferidas = 0;
    while (conferidas < kLinhasConferidas && leitor.proxima(bruta)) {
        const QStringView l = CamposFixos::aparaLinha(bruta);
        if (l.isEmpty())
            continue;
        ++conferidas;
        const qint64 n = leitor.numeroLinha();
        if (retorno ? PareceLinhaRetorno(l, cadastrados) : PareceLinhaAtivo(l, cadastrados))
            continue;
        QString como;
        if (retorno && PareceLinhaAtivo(l, cadastrados))
            como =
                QStringLiteral("a linha %1 tem %2 caracteres, como as de um arquivo de contribuintes ativos")
                    .arg(n)
                    .arg(l.size());
        else if (!retorno && PareceLinhaRetorno(l, cadastrados))
            como = QStringLiteral("a linha %1 tem %2 caracteres e começa como um registro %3 de um "
                                  "arquivo de retorno de declarações")
                       .arg(n)
                       .arg(l.size())
                       .arg(CamposFixos::campo(l, 1, 2).toString());
        else if (retorno && !tipoRetornoExiste(CamposFixos::campo(l, 1, 2)))
            como = QStringLiteral("a linha %1 começa com \"%2\", que não é um tipo de registro de retorno")
                       .arg(n)
                       .arg(CamposFixos::campo(l, 1, 2).toString());
        else if (retorno)
            como = QStringLiteral("o município \"%2\" da linha %1 não está cadastrado")
                       .arg(n)
                       .arg(CamposFixos::texto(l, 3, 5));
        else if (l.size() < kMinimoLinhaAtivo)
            como = QStringLiteral("a linha %1 tem %2 caracteres, e a de um contribuinte ativo tem 716")
                       .arg(n)
                       .arg(l.size());
        else
            como = QStringLiteral("o município \"%2\" da linha %1 (posições 517 a 519) não está cadastrado")
                       .arg(n)
                       .arg(LinhaAtivo::municipio(l));
        throw OrbelError(inicio + como +
                         QStringLiteral(".\r\nConfira o arquivo e o tipo escolhido; o banco de "
                                        "dados não foi alterado."));
    }
    if (conferidas == 0)
        throw OrbelError(QStringLiteral("O arquivo %1 não contém nenhum registro: não há o que capturar. O "
                                        "banco de dados não foi alterado.")
                             .arg(nomeArquivo));
}
