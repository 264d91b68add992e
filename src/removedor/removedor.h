#pragma once

#include "plataforma.h"

#include <string>
#include <string_view>

namespace removedor
{
inline constexpr wchar_t TituloAplicacao[] = L"Desinstalador do Firebird";
inline constexpr wchar_t TituloJanela[] = L"Remover Firebird";
inline constexpr wchar_t TextoJanela[] = L"DESINSTALANDO FERIBIRD";

inline constexpr wchar_t ChaveInstancias[] = L"SOFTWARE\\Firebird Project\\Firebird Server\\Instances";
inline constexpr wchar_t ValorInstancia[] = L"DefaultInstance";
inline constexpr wchar_t NomeDesinstalador[] = L"unins000.exe";
inline constexpr wchar_t NomeBatch[] = L"PararServicoFirebird.bat";
inline constexpr wchar_t ParametrosDesinstalador[] = L" /SILENT /NORESTART /SUPPRESSMSGBOXES";

// GetExitCodeProcess's value while the process still runs.
inline constexpr std::uint32_t AindaRodando = 259;

// The batch that stops the Firebird service, raising itself to administrator rights first.
std::string_view conteudoBatch();

enum class Desfecho {
    Encerra,   // the program ends
    FicaAberto // an error was shown; the window stays until the user closes it
};

// The whole removal, run once the window is first shown.
Desfecho executa(Plataforma &plataforma);
} // namespace removedor
