#pragma once

#include "capture/contextocaptura.h"

#include <QString>
#include <functional>

class ErroDisco;
class TdmPrincipal;
class UserInterface;

// The capture flow behind the "Captura de arquivos" window and `orbel capture`: the checks, the
// unpacking, the import of the chosen type, the summary and the final updates.
class CapturaArquivos
{
  public:
    enum Tipo { Nenhum = -1, Ativos = 0, Retorno = 1 };

    CapturaArquivos(TdmPrincipal &dm, UserInterface &ui);
    ~CapturaArquivos();

    // While the window is open the eight indexes are off; they come back when it closes.
    void abre();
    void fecha();

    // Runs a capture; true when it completed and "Captura de arquivo finalizada com sucesso" was shown.
    // An I/O error of the database (disk full) is told to the clerk and ends the program: it raises
    // ProgramaEncerrado, after the capture was rolled back and the connection let go.
    bool Captura(int tipo, const QString &arquivo);
    // Stop request (btnCancelar): the import stops before its next line.
    void Cancela();
    bool ocupado() const { return m_ocupado; }

    // Called with true when the capture becomes busy and false when it is idle again.
    std::function<void(bool ocupado)> aoMudarEstado;
    // Called when a file is recorded as the last one captured (labUltimo).
    std::function<void(const QString &nome)> aoGravarUltimo;
    // Called as each step of a capture begins, and with Fim when it is over (timing, logging).
    enum Fase { Descompactacao, Verificacao, Importacao, Resumo, AtualizacoesFinaisFase, Fim };
    std::function<void(Fase)> aoIniciarFase;

    static QString UltimoArquivo(int tipo);
    void GravaUltimoArquivo(int tipo, const QString &nome);

  private:
    bool executa(int tipo, const QString &arquivo);
    void descompacta(const QString &arquivo);
    // Commits the capture when its file was read to its end, otherwise rolls it back and says so;
    // true when committed.
    bool encerraTransacao(ContextoCaptura &ctx, ResultadoCarga resultado);
    void AtualizacoesFinais();
    // After an I/O error of the engine: tells the clerk (disk full, in which folder, whether the
    // capture was kept), lets the connection go and ends the program (ProgramaEncerrado).
    [[noreturn]] void paraPorErroDisco(const ErroDisco &erro);
    void estado(bool ocupado);
    void fase(Fase f);

    TdmPrincipal &m_dm;
    UserInterface &m_ui;
    ContextoCaptura *m_ctx = nullptr;
    bool m_ocupado = false;
    bool m_aberto = false;
    bool m_gravada = false; // the current capture was committed
};
