#pragma once

#include "shell/instalaajuda.h"

#include <QString>

class UserInterface;

// Shows the help file DiretorioSistema + "ORBEL.HLP" at a topic (1 main window, 4 capture,
// 44 declaration print) in the program's non-modal help window; the caller goes on at once.
// The file is HTML whose topics are anchors "topicoN". Without the file the user is told
// "Não há arquivo de ajuda" through `ui` (a QtUi of its own when none is given).
void MostraAjuda(int contexto, UserInterface *ui = nullptr);

// Name of the anchor of a topic context: 4 -> "topico4".
QString AncoraAjuda(int contexto);
