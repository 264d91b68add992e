#include "app/janelas.h"

#include "data/tdmprincipal.h"
#include "data/widgets/frmparametros.h"
#include "shell/formatacao.h"
#include "shell/orbelerror.h"
#include "shell/widgets/figuras.h"
#include "shell/widgets/qtui.h"

#include <QApplication>

int ExecutaInterfaceGrafica(QApplication &app)
{
    Formatacao::aplicaLocalidade();
    InstalaTextosPadrao();
    app.setWindowIcon(Figuras::iconePrograma());
    QtUi ui;
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
    } catch (const ProgramaEncerrado &fim) {
        return fim.codigo;
    }
    TfrmParametros janela(dm);
    janela.exec();
    return 0;
}
