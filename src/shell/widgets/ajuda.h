#pragma once

#include <QString>

class UserInterface;

// Shows the help file DiretorioSistema + "ORBEL.HLP" at a topic (1 main window, 4 capture,
// 44 declaration print). The caller goes on at once. Without the file the user is told so.
void MostraAjuda(int contexto, UserInterface *ui = nullptr);

// Copies the help file carried in the program to a path (the setup command installs it).
void InstalaAjuda(const QString &destino);
