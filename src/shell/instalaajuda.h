#pragma once

#include <QString>

// Copies the help file carried inside the program to `destino` (the setup command installs it
// beside the program); a file already there is replaced. Raises OrbelError when it cannot write.
void InstalaAjuda(const QString &destino);
