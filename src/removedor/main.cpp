// removedor: stops the Firebird service and runs the Firebird uninstaller silently.
#include "plataformawin32.h"
#include "removedor.h"

namespace
{
constexpr wchar_t ClasseJanela[] = L"TfrmRemovedor";
constexpr int Largura = 420, Altura = 110;

HFONT g_fonte = nullptr;

LRESULT CALLBACK procedimento(HWND janela, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(janela, &ps);
        RECT r;
        GetClientRect(janela, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        // a borderless window still needs an edge to stand out from what lies behind it
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        HGDIOBJ antiga = SelectObject(dc, g_fonte);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc, removedor::TextoJanela, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, antiga);
        EndPaint(janela, &ps);
        return 0;
    }
    case WM_NCHITTEST: // no caption bar, so the whole window drags
        return HTCAPTION;
    case WM_KEYDOWN:
        if (wp == VK_ESCAPE) // the only way out after an error, besides Alt+F4
            DestroyWindow(janela);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(janela, msg, wp, lp);
}

HWND criaJanela(HINSTANCE instancia)
{
    WNDCLASSEXW classe{};
    classe.cbSize = sizeof classe;
    classe.lpfnWndProc = procedimento;
    classe.hInstance = instancia;
    classe.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    classe.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    classe.lpszClassName = ClasseJanela;
    if (!RegisterClassExW(&classe))
        return nullptr;

    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + (area.right - area.left - Largura) / 2;
    const int y = area.top + (area.bottom - area.top - Altura) / 2;
    return CreateWindowExW(WS_EX_APPWINDOW, ClasseJanela, removedor::TituloJanela, WS_POPUP | WS_SYSMENU, x,
                           y, Largura, Altura, nullptr, nullptr, instancia, nullptr);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instancia, HINSTANCE, PWSTR, int mostra)
{
    g_fonte = CreateFontW(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Segoe UI");
    HWND janela = criaJanela(instancia);
    if (!janela)
        return 1;
    ShowWindow(janela, mostra == SW_HIDE ? SW_SHOWNORMAL : mostra);
    UpdateWindow(janela);

    PlataformaWin32 plataforma(janela);
    if (removedor::executa(plataforma) == removedor::Desfecho::FicaAberto) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (IsWindow(janela))
        DestroyWindow(janela);
    DeleteObject(g_fonte);
    return 0;
}
