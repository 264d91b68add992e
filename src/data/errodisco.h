#pragma once

#include "shell/orbelerror.h"

#include <QString>
#include <cstdint>

// An input/output error of the database engine: the disk is full, or the system refused to read
// or write the database (or one of the engine's work files). After it the connection must take no
// further statement: what the engine holds in memory may no longer match the file.
class ErroDisco : public OrbelError
{
  public:
    ErroDisco(const QString &textoServidor, bool cheio, const QString &arquivo);

    // No space left (or a quota or file-size limit reached), rather than another I/O failure.
    bool cheio() const { return m_cheio; }
    // The file the engine could not write, when its error names one.
    const QString &arquivo() const { return m_arquivo; }

  private:
    bool m_cheio;
    QString m_arquivo;
};

// Whether an error of Firebird's API (its status vector) or of Qt's driver (its text) is an I/O
// error; with `cheio`, whether it says the disk is full, and with `arquivo` the file it names.
bool EhErroDisco(const intptr_t *status, bool *cheio = nullptr, QString *arquivo = nullptr);
bool EhErroDisco(const QString &texto, bool *cheio = nullptr);

// Raises the error of a status vector: ErroDisco for an I/O error, OrbelError otherwise, with
// `contexto` (what was being done) ahead of the server's text.
[[noreturn]] void LancaErroFirebird(const intptr_t *status, const QString &contexto = {});
// Remembers and raises a disk error found by the caller (from a text of Qt's driver).
[[noreturn]] void LancaErroDisco(const ErroDisco &erro);

// Every ErroDisco raised is also remembered until the next connection (or EsqueceErroDisco), so
// that a flow whose error was wrapped or shown on the way still knows it must not go on.
bool HouveErroDisco();
const ErroDisco *UltimoErroDisco();
void EsqueceErroDisco();
// Whether a caught error comes from an I/O error of the engine: by its type, by one remembered,
// or by its text (an error of Qt's driver that reached the caller through other code, which is
// then remembered too).
bool ReconheceErroDisco(const std::exception &e);
// Raises the remembered ErroDisco, unwrapped, when `e` is recognised as one; otherwise returns.
void RelancaSeErroDisco(const std::exception &e);
