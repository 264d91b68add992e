#pragma once

#include "capture/contextocaptura.h"

class TdmPrincipal;

// Reads the unpacked return file far enough to know its municipalities and index type ("D" when a
// record 17 is seen, otherwise "P"), asks about replacing their return data and deletes it when
// the clerk agrees.
Verificacao VerificaRetorno(ContextoCaptura &ctx, QString *tipoIndice);

// Removes a municipality's declarations (with every row that carries their numbers), its totals,
// its indices and VAF A/B of the given index type, and its detail rows.
void ExcluiRetornoMunicipio(TdmPrincipal &dm, const QString &municipio, const QString &tipoIndice);
