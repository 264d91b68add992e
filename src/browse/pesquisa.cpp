#include "browse/pesquisa.h"

#include "shell/userinterface.h"

Pesquisa ClassificaPesquisa(const QString &texto, UserInterface &ui)
{
    const QString significativo = texto.trimmed();
    if (significativo.isEmpty())
        return Pesquisa::Todos;
    if (significativo.size() <= 3) {
        ui.informa(QStringLiteral("Critério de pesquisa"),
                   QStringLiteral("O critério de pesquisa deve conter um mínimo de 4 caracteres!"));
        return Pesquisa::Refusada;
    }
    return Pesquisa::Prefixo;
}

CondicaoPrefixo Prefixo(const QString &coluna, const QString &texto)
{
    if (texto.contains(u'%') || texto.contains(u'_'))
        return {coluna + QStringLiteral(" LIKE :TEXTO"), texto + u'%'};
    return {coluna + QStringLiteral(" STARTING WITH :TEXTO"), texto};
}
