#include "app/subcomando.h"

// Each subcommand lives in its own file and gives its entry here. Keep one blank line between the
// groups, so that adding to one group never touches the lines of another.
Subcomando SubcomandoSetup();
Subcomando SubcomandoCaptura();
// reports
Subcomando SubcomandoRelatorio();
Subcomando SubcomandoParametros();

// maintenance
Subcomando SubcomandoBackup();
Subcomando SubcomandoRestore();

const QList<Subcomando> &Subcomandos()
{
    static const QList<Subcomando> tabela{
        SubcomandoSetup(),
        SubcomandoCaptura(),
        // reports
        SubcomandoRelatorio(),
        SubcomandoParametros(),

        // maintenance
        SubcomandoBackup(),
        SubcomandoRestore(),

    };
    return tabela;
}
