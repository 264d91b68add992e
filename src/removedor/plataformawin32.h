#pragma once

#include "plataforma.h"

#include <windows.h>

// The real Windows behind the removal steps.
class PlataformaWin32 final : public Plataforma
{
  public:
    // `janela` owns the message boxes and the uninstaller's window.
    explicit PlataformaWin32(HWND janela) : m_janela(janela) {}

    std::wstring leInstanciaPadrao() override;
    std::wstring pastaDoPrograma() override;
    bool arquivoExiste(const std::wstring &caminho) override;
    bool gravaArquivo(const std::wstring &caminho, std::string_view bytes, std::wstring &erro) override;
    bool apagaArquivo(const std::wstring &caminho) override;
    bool iniciaSemEspera(const std::wstring &arquivo) override;
    Processo iniciaComProcesso(const std::wstring &arquivo, const std::wstring &parametros,
                               const std::wstring &pasta) override;
    std::optional<std::uint32_t> codigoSaida(Processo processo) override;
    void fechaProcesso(Processo processo) override;
    bool processaMensagens() override;
    bool aguardaMensagens(Processo processo) override;
    void mostraErro(const std::wstring &mensagem) override;

  private:
    HWND m_janela;
    bool m_fimPedido = false;
};
