#pragma once

#include "reports/contextorelatorio.h"
#include "reports/engine/cursorrelatorio.h"
#include "reports/layoutrelatorio.h"

#include <QVariantList>
#include <QVariantMap>

#include <memory>

// The steps every report operation takes, in order: the data is prepared and opened under the busy
// notice, the captions set, and the result exported, printed or previewed.
class PassosRelatorio
{
  public:
    PassosRelatorio(ExecucaoRelatorio &exec, LayoutRelatorio &layout);
    ~PassosRelatorio(); // closes the busy notice and the data on every path

    // Own query: the named parameters of the layout's statement, then its set is read whole.
    void abreConsultaPropria(const QVariantMap &parametros);
    // Shared query: SQLRel gets the statement and its values in order, and is read forward.
    void abreConsultaCompartilhada(const QString &sql, const QVariantList &valores);

    CursorRelatorio &cursor() { return *m_cursor; }
    // The plain text of a column in the first row, empty when there is none (captions).
    QString primeiro(const QString &coluna);
    // Base year in qrpLabelAno, then export, print or preview.
    void saida(const QString &sufixoArquivo);

  private:
    void mostraAviso();
    void fechaAviso();

    ExecucaoRelatorio &m_exec;
    LayoutRelatorio &m_layout;
    std::unique_ptr<CursorRelatorio> m_cursor;
    bool m_avisoAberto = false;
    bool m_compartilhada = false;
};

// The date "dd.mm.yyyy" of the run context as a date for a bound parameter.
QDate DataDoContexto(const QString &dataLimite);
