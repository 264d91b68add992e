#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

class TdmPrincipal;
class UserInterface;
class SaidaRelatorio;

// The run context the report operations read. The window keeps one for the life of the program:
// the municipality of the last generation survives the window closing.
struct TContextoRelatorio {
    QString CodigoMunicipio; // "0": all municipalities in one report
    QString NomeMunicipio;   // "Todos os Municípios" in that mode
    bool AvisaUsuario = false;
    QString AnoBase;
    QString DataLimite; // dd.mm.yyyy

    static TContextoRelatorio &DoPrograma();
};

// One report generation: the context, the window's output choices and where pages go.
struct ExecucaoRelatorio {
    ExecucaoRelatorio(TdmPrincipal &dm, UserInterface &ui, TContextoRelatorio &contexto)
        : dm(dm), ui(ui), contexto(contexto)
    {
    }
    TdmPrincipal &dm;
    UserInterface &ui;
    TContextoRelatorio &contexto;
    QChar indice = u'P';           // first letter of the chosen index
    bool geraArquivoExcel = false; // chkGeraArquivoExcel
    bool diretoImpressora = false; // chkDiretoImpressora
    SaidaRelatorio *saida = nullptr;
    QDate dia = QDate::currentDate(); // names the day folder of the CSV files
    QDateTime momento;                // printed in the page headers; now when invalid
};

// "dd/mm/yyyy" -> "dd.mm.yyyy", the form the limit date is handed to the server in.
QString ConverteData(const QString &data);
