// Stand-in for the Firebird uninstaller (and for the command processor) in removedor's Windows test:
// records how it was started, whether removedor's batch was there while it ran, waits a moment and ends.
// UNINS_VIGIA names the file to look for (a copy is kept beside the record); UNINS_ESPERA the wait in ms.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace
{
std::string utf8(const std::wstring &s)
{
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string r(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), r.data(), n, nullptr, nullptr);
    return r;
}

std::wstring ambiente(const wchar_t *nome)
{
    wchar_t valor[32768];
    const DWORD n = GetEnvironmentVariableW(nome, valor, 32768);
    return n && n < 32768 ? std::wstring(valor, n) : std::wstring();
}

void acrescenta(const std::wstring &arquivo, const std::string &linha)
{
    HANDLE f = CreateFileW(arquivo.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    const std::string s = linha + "\n";
    DWORD escritos;
    WriteFile(f, s.data(), static_cast<DWORD>(s.size()), &escritos, nullptr);
    CloseHandle(f);
}

// What follows the program name on the command line, untouched.
std::wstring argumentosBrutos(const wchar_t *linha)
{
    const wchar_t *p = linha;
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p)
            ;
        if (*p)
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    return p;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t caminho[MAX_PATH];
    GetModuleFileNameW(nullptr, caminho, MAX_PATH);
    // records go beside the program, named after it, so one build stands in for several programs
    std::wstring base = caminho;
    base.resize(base.find_last_of(L'.'));
    const std::wstring registro = base + L".log";

    const wchar_t *linha = GetCommandLineW();
    acrescenta(registro, "argumentos=" + utf8(argumentosBrutos(linha)));
    int n = 0;
    wchar_t **argv = CommandLineToArgvW(linha, &n);
    std::wstring lista;
    for (int i = 1; i < n; ++i)
        lista += (i > 1 ? L"|" : L"") + std::wstring(argv[i]);
    LocalFree(argv);
    acrescenta(registro, "argv=" + utf8(lista));
    wchar_t atual[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, atual);
    acrescenta(registro, "pasta=" + utf8(atual));

    const std::wstring vigia = ambiente(L"UNINS_VIGIA");
    if (!vigia.empty()) {
        const bool presente = GetFileAttributesW(vigia.c_str()) != INVALID_FILE_ATTRIBUTES;
        acrescenta(registro, std::string("vigiado=") + (presente ? "presente" : "ausente"));
        if (presente)
            CopyFileW(vigia.c_str(), (base + L".copia").c_str(), FALSE);
    }
    const std::wstring espera = ambiente(L"UNINS_ESPERA");
    Sleep(espera.empty() ? 2000 : static_cast<DWORD>(std::stoul(espera)));
    if (!vigia.empty())
        acrescenta(registro, std::string("vigiado_no_fim=") +
                                 (GetFileAttributesW(vigia.c_str()) != INVALID_FILE_ATTRIBUTES ? "presente"
                                                                                               : "ausente"));
    acrescenta(registro, "fim");
    return 3; // not 0: removedor must end whatever the uninstaller's exit code
}
