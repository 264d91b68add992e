#pragma once

class TdmPrincipal;
class UserInterface;

// Recounts MUNIC_RESUMO after a capture: active taxpayers, accepted and refused declarations per
// municipality, and the omitted ones, each change written at once through cdsMunic_Resumo.
// Runs three passes in the "Gerando resumo..." runner; a failed pass is shown and the next runs.
void GeraResumo(TdmPrincipal &dm);
