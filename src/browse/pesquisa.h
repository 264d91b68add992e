#pragma once

#include <QString>

class UserInterface;

// The search rule of both browsers: an empty text brings back every row; a text of 3 significant
// characters or fewer is refused with the message box; any other is a prefix, used as typed (not
// trimmed: a trailing blank stays before the "%").
enum class Pesquisa { Todos, Refusada, Prefixo };
Pesquisa ClassificaPesquisa(const QString &texto, UserInterface &ui);
