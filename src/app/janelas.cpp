#include "app/janelas.h"

#include "app/aplicacaoorbel.h"

#include "browse/widgets/formcnaef.h"
#include "browse/widgets/frmativos.h"
#include "browse/widgets/frmdeclaracoes.h"
#include "capture/widgets/frmcapturaativoretorno.h"
#include "data/tdmprincipal.h"
#include "data/widgets/frmparametros.h"
#include "maintenance/widgets/frmcopiaseguranca.h"
#include "maintenance/widgets/frmlimpezabase.h"
#include "maintenance/widgets/frmrestauracao.h"
#include "reports/widgets/tfrmconfig.h"
#include "shell/formatacao.h"
#include "shell/orbelerror.h"
#include "shell/widgets/figuras.h"
#include "shell/widgets/frmprincipal.h"
#include "shell/widgets/mostrajanela.h"
#include "shell/widgets/qtui.h"

#include <QApplication>

void RegistraJanelas(TfrmPrincipal &principal, TdmPrincipal &dm)
{
    principal.registraJanela(QStringLiteral("Parametros"), [&dm] { MostraJanela<TfrmParametros>(dm); });
    principal.registraJanela(QStringLiteral("Capturar"),
                             [&dm] { MostraJanela<TfrmCapturaAtivoRetorno>(dm); });
    principal.registraJanela(QStringLiteral("LimparBase"), [&dm] { MostraJanela<TfrmLimpezaBase>(dm); });
    principal.registraJanela(QStringLiteral("Relatorios"), [&dm] { MostraJanela<TfrmConfig>(dm); });
    principal.registraJanela(QStringLiteral("Backup"), [&dm] { MostraJanela<TfrmCopiaSeguranca>(dm); });
    principal.registraJanela(QStringLiteral("Restore"), [&dm] { MostraJanela<TfrmRestauracao>(dm); });
    principal.registraJanela(QStringLiteral("Ativos"), [&dm] { MostraJanela<TfrmAtivos>(dm, dm.ui()); });
    principal.registraJanela(QStringLiteral("Declaracoes"),
                             [&dm] { MostraJanela<TfrmDeclaracoes>(dm, dm.ui()); });
    principal.registraJanela(QStringLiteral("VerCNAEF"), [&dm] { MostraJanela<TformCNAEF>(dm); });
    principal.registraJanela(QStringLiteral("RegimeRecolhimento"),
                             [&dm] { MostraJanela<TfrmVerRegimeRecolhimento>(dm); });
    QObject::connect(&dm, &TdmPrincipal::anoBaseAlterado, &principal, &TfrmPrincipal::AtualizaAnoBase);
}

int ExecutaInterfaceGrafica(AplicacaoOrbel &app)
{
    Formatacao::aplicaLocalidade();
    InstalaTextosPadrao();
    app.setWindowIcon(Figuras::iconePrograma());
    QtUi ui;
    app.ui = &ui;
    struct Solta {
        AplicacaoOrbel &app;
        ~Solta() { app.ui = nullptr; }
    } solta{app};
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
    } catch (const ProgramaEncerrado &fim) {
        return fim.codigo;
    }
    int status = 0;
    {
        TfrmPrincipal principal(dm.ConfigApp(), ui,
                                [&dm] { return dm.LeParametro(QStringLiteral("ANOEXERCICIO")); });
        RegistraJanelas(principal, dm);
        principal.show();
        status = app.exec();
    }
    return status;
}
