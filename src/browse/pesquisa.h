#pragma once

#include <QString>

class UserInterface;

// The search rule of both browsers: an empty text brings back every row; a text of 3 significant
// characters or fewer is refused with the message box; any other is a prefix, used as typed (not
// trimmed: a trailing blank stays before the "%").
enum class Pesquisa { Todos, Refusada, Prefixo };
Pesquisa ClassificaPesquisa(const QString &texto, UserInterface &ui);

// The prefix condition of a search on `coluna`, with its bound value: "LIKE text%" as written,
// sent as STARTING WITH (the same rows, and the server can read it through an index) unless the
// text holds a wildcard of LIKE itself.
struct CondicaoPrefixo {
    QString sql;   // "COLUNA STARTING WITH :TEXTO" or "COLUNA LIKE :TEXTO"
    QString valor; // the value of :TEXTO
};
CondicaoPrefixo Prefixo(const QString &coluna, const QString &texto);
