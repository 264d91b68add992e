#include "reports/widgets/saidajanela.h"

#include "shell/orbelerror.h"

void SaidaJanela::visualiza(LayoutRelatorio &)
{
    throw OrbelError(QStringLiteral("A visualização de relatórios ainda não está disponível."));
}

void SaidaJanela::imprime(LayoutRelatorio &)
{
    throw OrbelError(QStringLiteral("A impressão de relatórios ainda não está disponível."));
}
