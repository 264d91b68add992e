#pragma once

#include <QString>

// The installer's part: creates a database file from the schema and lookup data carried in the
// program, with the given base year. The program itself never creates its database.
void CriaBancoOrbel(const QString &caminho, int anoBase);
