#pragma once

#include <QDate>
#include <QStringList>

#include <optional>

class TdmPrincipal;
class UserInterface;

// The rules of the Parameters window without its widgets, so `orbel parameters` applies the same ones.
namespace ParametrosSistema
{
// The years a base year can be: 2005 up to the year before `hoje`, ascending.
QStringList AnosDisponiveis(const QDate &hoje);

// "OK": a base year that differs from the stored one is asked for ("Alteração de parâmetro") and
// stored on Yes; the change is announced whatever the answer. Each given limit date is stored as
// dd/mm/yyyy.
void Grava(TdmPrincipal &dm, UserInterface &ui, const QString &anoEscolhido, std::optional<QDate> provisorio,
           std::optional<QDate> definitivo);

// The window may close only with a stored base year; otherwise "O ano de base deve ser informado".
bool PodeFechar(TdmPrincipal &dm, UserInterface &ui);
} // namespace ParametrosSistema
