#include "data/parametrossistema.h"

#include "data/tdmprincipal.h"
#include "shell/formatacao.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

namespace ParametrosSistema
{

QStringList AnosDisponiveis(const QDate &hoje)
{
    QStringList anos;
    for (int ano = 2005; ano <= hoje.year() - 1; ++ano)
        anos << QString::number(ano);
    return anos;
}

void Grava(TdmPrincipal &dm, UserInterface &ui, const QString &anoEscolhido, std::optional<QDate> provisorio,
           std::optional<QDate> definitivo)
{
    const QString armazenado = dm.LeParametro(QStringLiteral("ANOEXERCICIO"));
    if (armazenado != anoEscolhido) {
        if (ui.pergunta(QStringLiteral("Alteração de parâmetro"),
                        QStringLiteral(
                            "O ano de base foi alterado. Certifique-se que os dados de declarações e/ou\r\n"
                            "ativos correspondem ao ano selecionado.\r\nConfirma alteração?")))
            dm.GravaParametro(QStringLiteral("ANOEXERCICIO"), anoEscolhido);
        dm.AnunciaAnoBase();
        ui.processaEventos();
    }
    if (provisorio)
        dm.GravaParametro(QStringLiteral("DATALIMITE_PROVISORIO"), Formatacao::data(*provisorio));
    if (definitivo)
        dm.GravaParametro(QStringLiteral("DATALIMITE_DEFINITIVO"), Formatacao::data(*definitivo));
}

bool PodeFechar(TdmPrincipal &dm, UserInterface &ui)
{
    if (dm.LeParametro(QStringLiteral("ANOEXERCICIO")).isEmpty()) {
        ui.informa(QStringLiteral("Parâmetros"), QStringLiteral("O ano de base deve ser informado"));
        return false;
    }
    return true;
}

} // namespace ParametrosSistema
