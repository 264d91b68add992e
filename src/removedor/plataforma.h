#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What removedor needs from Windows, kept behind an interface so that the removal steps run on any
// machine against a fake. Paths are wide strings, as Windows hands them out.
class Plataforma
{
  public:
    // An opaque process handle; 0 means none.
    using Processo = std::uintptr_t;

    virtual ~Plataforma() = default;

    // The instance folder of the default Firebird server, read-only; empty when the key or value is missing.
    virtual std::wstring leInstanciaPadrao() = 0;
    // The folder of removedor's own program file, ending with its separator.
    virtual std::wstring pastaDoPrograma() = 0;

    virtual bool arquivoExiste(const std::wstring &caminho) = 0;
    // Replaces the file with `bytes`; on failure fills `erro` with the reason and leaves no partial file.
    virtual bool gravaArquivo(const std::wstring &caminho, std::string_view bytes, std::wstring &erro) = 0;
    virtual bool apagaArquivo(const std::wstring &caminho) = 0;

    // Starts a file through the shell with a normal, visible window, keeping no handle.
    virtual bool iniciaSemEspera(const std::wstring &arquivo) = 0;
    // Starts a file through the shell, owned by the application's window, keeping its process handle.
    virtual Processo iniciaComProcesso(const std::wstring &arquivo, const std::wstring &parametros,
                                       const std::wstring &pasta) = 0;
    // The process's exit code (259 while it runs); nothing when it cannot be read.
    virtual std::optional<std::uint32_t> codigoSaida(Processo processo) = 0;
    virtual void fechaProcesso(Processo processo) = 0;

    // Handles the pending window messages; false once the program has been asked to end.
    virtual bool processaMensagens() = 0;
    // Waits a short while for a window message or the end of the process, then handles the pending
    // messages, so a poll does not spin the processor; false once the program has been asked to end.
    virtual bool aguardaMensagens(Processo processo) = 0;

    virtual void mostraErro(const std::wstring &mensagem) = 0;
};
