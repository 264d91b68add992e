#pragma once

#include <QString>
#include <functional>

class TdmPrincipal;
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
};

// The text file the imports read for an archive: the scratch folder + "P" + the archive name from
// its second character, with the extension replaced by ".txt" (RT0019924.zip -> temp/PT0019924.txt).
QString ArquivoTextoCaptura(const QString &arquivoZip);
