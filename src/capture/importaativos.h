#pragma once

#include "capture/contextocaptura.h"

class TSPProgress;
class TdmPrincipal;
class TransacaoEmLote;

// Reads the unpacked file, refuses it when it does not look like active taxpayers, finds its
// municipalities and asks about replacing their taxpayers, deleting them (in the capture's
// transaction) when the clerk agrees.
Verificacao VerificaAtivos(ContextoCaptura &ctx);

// Inserts the taxpayers of the file into ATIVOS (the first CNPJ met wins) and makes sure every
// municipality met has a MUNIC_TOTAIS row, all in the capture's transaction. A failing line is
// reported with its number and ends the run; the flow then rolls the whole capture back.
ResultadoCarga ProgressoImportaAtivosExecute(ContextoCaptura &ctx, TSPProgress &progresso);

void ExcluiAtivosMunicipio(TransacaoEmLote &tx, TdmPrincipal &dm, const QString &municipio);
bool ExisteAtivoCNPJ(TdmPrincipal &dm, const QString &cnpj);
