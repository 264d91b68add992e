#pragma once

#include <QString>

class TdmPrincipal;
class UserInterface;

// What the declarations browser does, without its window: the base year's declarations with the
// four details it shows, the searches by inscrição and name, the status choice and the caption count.
class NavegaDeclaracoes
{
  public:
    enum Campo { InscricaoEstadual, NomeComercial };
    enum Status { Todas, Aceitas, Recusadas };

    NavegaDeclaracoes(TdmPrincipal &dm, UserInterface &ui);

    // Detached state, the base year, the four browser details attached, the set read-only.
    void abre();
    QString titulo() const; // "Declarações (N REGISTROS)", every year
    // The "Filtrar" search; returns whether the button stays pressed (see NavegaAtivos::pesquisa).
    bool pesquisa(Campo campo, const QString &texto, bool pressionado);
    void status(Status s); // the caller clears the search text
    // The set writable again; statement and attachments stay, the server is let go.
    void fecha();

  private:
    void defineSql(const QString &condicao, const QString &valor = {}); // valor: of :TEXTO, when given

    TdmPrincipal &m_dm;
    UserInterface &m_ui;
};
