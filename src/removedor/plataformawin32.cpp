#include "plataformawin32.h"

#include "removedor.h"

#include <shellapi.h>

namespace
{
// The system's own text for an error code, which Windows gives in the user's language.
std::wstring mensagemSistema(DWORD codigo)
{
    wchar_t *texto = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, codigo, 0, reinterpret_cast<wchar_t *>(&texto), 0, nullptr);
    std::wstring s = n ? std::wstring(texto, n) : std::wstring();
    if (texto)
        LocalFree(texto);
    while (!s.empty() && (s.back() == L'\r' || s.back() == L'\n' || s.back() == L' '))
        s.pop_back();
    return s + L" (código " + std::to_wstring(codigo) + L")";
}

std::wstring leValor(REGSAM visao)
{
    HKEY chave;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, removedor::ChaveInstancias, 0, KEY_QUERY_VALUE | visao, &chave) !=
        ERROR_SUCCESS)
        return {};
    std::wstring valor;
    DWORD tamanho = 0;
    if (RegGetValueW(chave, nullptr, removedor::ValorInstancia, RRF_RT_REG_SZ, nullptr, nullptr, &tamanho) ==
            ERROR_SUCCESS &&
        tamanho > 0) {
        valor.resize(tamanho / sizeof(wchar_t));
        if (RegGetValueW(chave, nullptr, removedor::ValorInstancia, RRF_RT_REG_SZ, nullptr, valor.data(),
                         &tamanho) == ERROR_SUCCESS)
            valor.resize(wcsnlen(valor.c_str(), valor.size()));
        else
            valor.clear();
    }
    RegCloseKey(chave);
    return valor;
}
} // namespace

std::wstring PlataformaWin32::leInstanciaPadrao()
{
    // A 64-bit server registers in the native view, a 32-bit one under WOW6432Node; either is ours.
    std::wstring valor = leValor(KEY_WOW64_64KEY);
    return valor.empty() ? leValor(KEY_WOW64_32KEY) : valor;
}

std::wstring PlataformaWin32::pastaDoPrograma()
{
    std::wstring caminho(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, caminho.data(), static_cast<DWORD>(caminho.size()));
        if (n == 0)
            return {};
        if (n < caminho.size()) {
            caminho.resize(n);
            break;
        }
        caminho.resize(caminho.size() * 2);
    }
    return caminho.substr(0, caminho.find_last_of(L"\\/") + 1);
}

bool PlataformaWin32::arquivoExiste(const std::wstring &caminho)
{
    const DWORD atributos = GetFileAttributesW(caminho.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && !(atributos & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlataformaWin32::gravaArquivo(const std::wstring &caminho, std::string_view bytes, std::wstring &erro)
{
    HANDLE f = CreateFileW(caminho.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        erro = mensagemSistema(GetLastError());
        return false;
    }
    DWORD escritos = 0;
    bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &escritos, nullptr) &&
              escritos == bytes.size();
    DWORD codigo = ok ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(f) && ok) {
        ok = false;
        codigo = GetLastError();
    }
    if (!ok) {
        // a short write without an error code is a full disk
        erro = mensagemSistema(codigo == ERROR_SUCCESS ? ERROR_DISK_FULL : codigo);
        DeleteFileW(caminho.c_str()); // a half batch must never be run
    }
    return ok;
}

bool PlataformaWin32::apagaArquivo(const std::wstring &caminho)
{
    return DeleteFileW(caminho.c_str());
}

bool PlataformaWin32::iniciaSemEspera(const std::wstring &arquivo)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = m_janela;
    info.lpVerb = L"open";
    info.lpFile = arquivo.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info);
}

Plataforma::Processo PlataformaWin32::iniciaComProcesso(const std::wstring &arquivo,
                                                        const std::wstring &parametros,
                                                        const std::wstring &pasta)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = m_janela;
    info.lpFile = arquivo.c_str();
    info.lpParameters = parametros.c_str();
    info.lpDirectory = pasta.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info))
        return 0;
    return reinterpret_cast<Processo>(info.hProcess);
}

std::optional<std::uint32_t> PlataformaWin32::codigoSaida(Processo processo)
{
    DWORD codigo;
    if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(processo), &codigo))
        return std::nullopt;
    return codigo;
}

void PlataformaWin32::fechaProcesso(Processo processo)
{
    CloseHandle(reinterpret_cast<HANDLE>(processo));
}

bool PlataformaWin32::processaMensagens()
{
    MSG msg;
    while (!m_fimPedido && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            m_fimPedido = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return !m_fimPedido;
}

bool PlataformaWin32::aguardaMensagens(Processo processo)
{
    HANDLE h = reinterpret_cast<HANDLE>(processo);
    MsgWaitForMultipleObjectsEx(1, &h, 250, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return processaMensagens();
}

void PlataformaWin32::mostraErro(const std::wstring &mensagem)
{
    MessageBoxW(m_janela, mensagem.c_str(), removedor::TituloAplicacao, MB_OK | MB_ICONERROR);
}
