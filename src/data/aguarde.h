#pragma once

#include "data/tdmprincipal.h"

#include <QString>

// The wait message of a piece of work, closed on every path out of it (errors included).
class Aguarde
{
  public:
    explicit Aguarde(TdmPrincipal &dm, const QString &texto = QString()) : m_dm(dm)
    {
        if (!texto.isEmpty())
            m_dm.MostraAguarde(texto);
    }
    ~Aguarde() { m_dm.MostraAguarde(QString()); }
    Aguarde(const Aguarde &) = delete;
    Aguarde &operator=(const Aguarde &) = delete;

    // Replaces the text shown.
    void mostra(const QString &texto) { m_dm.MostraAguarde(texto); }

  private:
    TdmPrincipal &m_dm;
};
