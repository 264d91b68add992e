#pragma once

#include "capture/contextocaptura.h"

class TSPProgress;

// Reads the unpacked return file line by line, numbering the declarations, writing each with its
// detail rows, status and history, storing the municipality records and removing SIMEI taxpayers
// from the active list, all in the capture's transaction. A failing record ends the run with its
// line number; the flow then rolls the whole capture back.
ResultadoCarga ProgressImportaRetornoExecute(ContextoCaptura &ctx, TSPProgress &progresso,
                                             const QString &tipoIndice);
