#pragma once

#include <QString>
#include <functional>

class TdmPrincipal;
class TransacaoEmLote;
class UserInterface;

// How an import run ended, as the capture flow reads it.
enum class ResultadoCarga { Completa, Falhou, Interrompida };

// What a precheck decided: whether to import, and the line estimate for the progress display.
struct Verificacao {
    bool prossegue = false;
    int contagemEsperada = 0;
};

// What a capture run shares between the flow (window or command line) and the imports.
struct ContextoCaptura {
    TdmPrincipal &dm;
    UserInterface &ui;
    QString arquivo;           // full path of the chosen zip archive
    bool pedidoParada = false; // set by Cancel (or a failed line); read before every line
    // Records the archive name as the last one captured of its type (0 actives, 1 returns) and
    // shows it in the window.
    std::function<void(int tipo, const QString &nome)> gravaUltimoArquivo;
    // The one transaction of the capture: the replacement's deletions and every row of the import
    // go into it, and it is committed only once the file was read to its end.
    TransacaoEmLote *transacao = nullptr;
    // The precheck emptied the whole kind: the shared sets are reread after the commit.
    bool esvaziouBase = false;
    // The line being read (from 1), for the messages of a capture that stops.
    qint64 linhaAtual = 0;
    // Records read (non-empty lines); a capture that reads none is not a success.
    qint64 registrosLidos = 0;

    // The capture's transaction; a precheck or import run outside a capture is a programming error.
    TransacaoEmLote &tx() const;
};

// The text file the imports read for an archive: the scratch folder + "P" + the archive name from
// its second character, with the extension replaced by ".txt" (RT0019924.zip -> temp/PT0019924.txt).
QString ArquivoTextoCaptura(const QString &arquivoZip);

// The sentence added to every message of a capture that did not complete.
QString BancoNaoAlterado();
// "Linha 12 do arquivo (registro 07, IE 0000000000001)." — where a capture stopped; the record
// type and the IE are left out when empty.
QString DescreveLinha(qint64 linha, const QString &registro, const QString &ie);
