#pragma once

#include <QString>
#include <functional>

// Where the Database setting of ORBEL.ini points: a plain path opened in-process, or "host:path"
// through a Firebird server ("C:\..." is a drive, not a server).
struct ArquivoBanco {
    QString configuracao; // as written in ORBEL.ini, trimmed
    QString servidor;     // empty for a plain path; may carry a port ("host/3051")
    QString arquivo;      // path of the file on the machine that holds it

    static ArquivoBanco de(const QString &configuracao);

    bool noServidor() const { return !servidor.isEmpty(); }
    // The file can be read and replaced from here: a plain path, or a server on this machine.
    bool nestaMaquina() const;
    // How to reach another file of the same folder the same way (same server prefix).
    QString conexaoPara(const QString &outroArquivo) const;
    // The folder of the file, ending in a separator.
    QString pasta() const;
};

// True when another process holds the database file open (the engine locks it while attached).
bool BancoEmUso(const QString &arquivo);
// Raises OrbelError, naming `operacao` ("A cópia de segurança"), when the file is on another
// computer or held open by another program.
void ConfirmaBancoLivre(const ArquivoBanco &banco, const QString &operacao);

// Opens `conexao` as the program would and reads the base year; raises OrbelError saying why the
// file cannot serve as the program's database.
void VerificaBanco(const QString &conexao, const QString &usuario, const QString &senha);

// Puts `novo` in the place of `vivo`: the old file is set aside first and comes back when the
// move fails. `aposTroca` (may be empty) checks the file now in place; when it raises, the old
// file returns and the error goes on. The set-aside file is deleted only after success.
void TrocaArquivo(const QString &novo, const QString &vivo, const std::function<void()> &aposTroca = {});
