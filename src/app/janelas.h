#pragma once

class AplicacaoOrbel;

// Start-up of the GUI: regional settings, data module, main window, event loop.
int ExecutaInterfaceGrafica(AplicacaoOrbel &app);

class TfrmPrincipal;
class TdmPrincipal;
// Gives the main window the openers of every window that exists.
void RegistraJanelas(TfrmPrincipal &principal, TdmPrincipal &dm);
