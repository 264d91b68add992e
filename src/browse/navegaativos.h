#pragma once

#include <QString>
#include <QStringList>

class TdmPrincipal;
class UserInterface;

// What the active-taxpayers browser does, without its window: opens cdsAtivos with the statement it
// keeps, runs the four searches and counts every taxpayer for the caption.
class NavegaAtivos
{
  public:
    enum Campo { Cnpj, InscricaoEstadual, NomeComercial, NomeMunicipio };
    static const QStringList NomesCampos; // the items of the field choice, in this order

    NavegaAtivos(TdmPrincipal &dm, UserInterface &ui);

    void abre();            // opens cdsAtivos, when closed, with the statement it holds
    QString titulo() const; // "Ativos (N REGISTROS)", every ATIVOS row
    // The search of the toggle button; returns whether it stays pressed (a search in force). A refused
    // text changes nothing and returns `pressionado` as it was.
    bool pesquisa(Campo campo, const QString &texto, bool pressionado);
    void fecha(); // closes cdsAtivos; its statement stays for the next opening

  private:
    QString sqlPorMunicipio() const;

    TdmPrincipal &m_dm;
    UserInterface &m_ui;
};
