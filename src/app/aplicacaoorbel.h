#pragma once

#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QApplication>

// The GUI application: an error that escapes a window's handler is shown in the standard error
// box instead of crossing Qt's event loop; a fatal connection failure ends the program.
class AplicacaoOrbel : public QApplication
{
  public:
    using QApplication::QApplication;
    UserInterface *ui = nullptr;

    bool notify(QObject *receptor, QEvent *evento) override
    {
        try {
            return QApplication::notify(receptor, evento);
        } catch (const ProgramaEncerrado &fim) {
            exit(fim.codigo); // the reason was already shown
        } catch (const std::exception &e) {
            if (ui)
                ui->mostraErro(mensagemDe(e));
        }
        return false;
    }
};
