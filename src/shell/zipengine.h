#pragma once

#include "shell/orbelerror.h"

#include <QString>
#include <functional>

// An archive refused before anything was extracted: it would not fit the disk, or two of its
// entries would land on the same name.
class ArquivoCompactadoRecusado : public OrbelError
{
  public:
    using OrbelError::OrbelError;
};

// Zip archives through libzip: count the entries, extract every entry into a folder without the
// folder names stored in the archive (overwriting), add a file to an archive (creating or
// updating it). Failures raise OrbelError; progress and messages go to the callbacks.
class ZipEngine
{
  public:
    // Events of an operation, on the caller's thread.
    std::function<void(const QString &nome, qint64 tamanho)> aoNovoArquivo;
    std::function<void(qint64 bytes)> aoProgresso; // bytes done in the current file
    std::function<void(int arquivos)> aoTotalArquivos;
    std::function<void(qint64 bytes)> aoTotalBytes;
    std::function<void()> aoFimLote;
    std::function<void(int codigo, const QString &texto)> aoMensagem;

    // Number of entries; 0 for a file that is not a readable archive (or has none).
    int conta(const QString &arquivo);
    // Extracts every file entry into `pasta`; returns how many were written. Refuses (raising
    // ArquivoCompactadoRecusado) an archive whose entries exceed the folder's free space or whose
    // names collide once their folders are dropped.
    // `maximoPorEntrada` (bytes, 0 for none) refuses any larger entry as well.
    int extrai(const QString &arquivo, const QString &pasta, qint64 maximoPorEntrada = 0);
    // Adds one file to the archive (created when missing; an entry of the same name is replaced).
    void adiciona(const QString &arquivo, const QString &caminhoArquivo);

  private:
    void mensagem(int codigo, const QString &texto);
};
