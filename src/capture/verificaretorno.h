#pragma once

#include "capture/contextocaptura.h"

class TdmPrincipal;
class TransacaoEmLote;

// Reads the unpacked return file far enough to know its municipalities and index type ("D" when a
// record 17 is seen, otherwise "P"), asks about replacing their return data and deletes it when
// the clerk agrees (in the capture's transaction). A file that does not look like a return is
// refused first, before anything is deleted.
Verificacao VerificaRetorno(ContextoCaptura &ctx, QString *tipoIndice);

// Removes a municipality's declarations (with every row that carries their numbers), its totals,
// its indices and VAF A/B of the given index type, and its detail rows, in the given transaction.
void ExcluiRetornoMunicipio(TransacaoEmLote &tx, TdmPrincipal &dm, const QString &municipio,
                            const QString &tipoIndice);
