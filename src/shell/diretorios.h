#pragma once

#include <QString>

// The program folder and its sub-folders, each ending in a separator.
// The program folder is the executable's unless --home or ORBEL_HOME names another.
void DefineDiretorioSistema(const QString &folder);
QString DiretorioSistema();
QString DiretorioTemp();
QString DiretorioBin();
QString ArquivoIni(); // DiretorioSistema + "ORBEL.ini"

// Deletes the ordinary files directly inside a folder; what cannot be deleted stays, silently.
void EsvaziaDiretorio(const QString &folder);
