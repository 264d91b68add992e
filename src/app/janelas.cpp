#include "app/janelas.h"

#include "data/tdmprincipal.h"
#include "data/widgets/frmparametros.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <QApplication>

int ExecutaInterfaceGrafica(QApplication &app)
{
    Q_UNUSED(app);
    ScriptedUi ui;
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
