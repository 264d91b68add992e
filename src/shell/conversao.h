#pragma once

#include <QString>

// Whole-number conversion with the program's Portuguese message: "'x' não é um valor inteiro válido".
int StrToInt(const QString &texto);
