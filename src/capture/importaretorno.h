#pragma once

#include "capture/contextocaptura.h"

class TSPProgress;

// Reads the unpacked return file line by line, numbering the declarations, writing each with its
// detail rows, status and history, storing the municipality records and removing SIMEI taxpayers
// from the active list. A failing record ends the run; what was written before it stays.
ResultadoCarga ProgressImportaRetornoExecute(ContextoCaptura &ctx, TSPProgress &progresso,
                                             const QString &tipoIndice);
