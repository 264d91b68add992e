#pragma once

#include "capture/contextocaptura.h"

class TSPProgress;
class TdmPrincipal;

// Reads the unpacked file, finds its municipalities and asks about replacing their taxpayers,
// deleting them when the clerk agrees.
Verificacao VerificaAtivos(ContextoCaptura &ctx);

// Inserts the taxpayers of the file into ATIVOS (the first CNPJ met wins) and makes sure every
// municipality met has a MUNIC_TOTAIS row. A failing line is reported and ends the run; the rows
// before it stay.
ResultadoCarga ProgressoImportaAtivosExecute(ContextoCaptura &ctx, TSPProgress &progresso);

void ExcluiAtivosMunicipio(TdmPrincipal &dm, const QString &municipio);
bool ExisteAtivoCNPJ(TdmPrincipal &dm, const QString &cnpj);
