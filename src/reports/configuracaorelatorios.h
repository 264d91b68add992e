#pragma once

#include "reports/contextorelatorio.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>

#include <functional>

class TdmPrincipal;
class UserInterface;
class SaidaRelatorio;

// The report window's state and rules apart from its widgets: the report choice, the municipality
// mode, the index and the two output boxes, and the generation. The window mirrors this state after
// every change; the command line drives the same object.
class ConfiguracaoRelatorios
{
  public:
    enum Modo { Agrupados = 0, Separados = 1, ApenasMunicipio = 2 };

    ConfiguracaoRelatorios(TdmPrincipal &dm, UserInterface &ui, SaidaRelatorio *saida,
                           TContextoRelatorio &contexto = TContextoRelatorio::DoPrograma());

    // Creation: the municipality list, then the municipality remembered in ULTIMOMUNICREL.
    void cria();
    // Showing: base year, the report-choice rule, then the municipality-mode rule.
    void mostra();

    void escolheRelatorio(int item);
    void escolheModo(int modo);
    void escolheMunicipio(int posicao);
    void escolheIndice(int indice); // 0 Provisório, 1 Definitivo, -1 none
    void marcaGeraArquivoExcel(bool marcado);
    void marcaDiretoImpressora(bool marcado);

    // "&Gerar relatório". An error reaches the caller after the controls are enabled again.
    void gera(const QDate &hoje = QDate::currentDate());

    // --- state the window shows ------------------------------------------------------------------
    int relatorio() const { return m_relatorio; }
    bool relatoriosHabilitado() const { return m_relatoriosHabilitado; }
    int modo() const { return m_modo; }
    bool modoHabilitado() const { return m_modoHabilitado; }
    bool agrupadosHabilitado() const { return m_agrupadosHabilitado; }
    const QStringList &nomesMunicipios() const { return m_nomes; }
    const QStringList &ListaCodigos() const { return m_codigos; }
    int municipio() const { return m_municipio; }
    bool municipioHabilitado() const { return m_municipioHabilitado; }
    int indice() const { return m_indice; }
    bool indiceHabilitado() const { return m_indiceHabilitado; }
    bool geraArquivoExcel() const { return m_excel; }
    bool geraArquivoExcelHabilitado() const { return m_excelHabilitado; }
    bool diretoImpressora() const { return m_impressora; }
    bool diretoImpressoraHabilitado() const { return m_impressoraHabilitado; }
    TContextoRelatorio &contexto() { return m_ctx; }

    // The moment the page headers print (golden files); now when not set.
    void setMomentoImpressao(const QDateTime &momento) { m_momento = momento; }

    // Called after every change of state, so the window repaints what changed.
    void setAoMudar(std::function<void()> f) { m_aoMudar = std::move(f); }

    static const QStringList &TextosModos();
    static const QStringList &TextosIndices();

  private:
    void regraRelatorio();
    void regraModo();
    void habilitaOpcoes(bool sim);
    void executa(int item, bool separados, const QDate &hoje);
    void mudou();

    TdmPrincipal &m_dm;
    UserInterface &m_ui;
    SaidaRelatorio *m_saida;
    TContextoRelatorio &m_ctx;
    std::function<void()> m_aoMudar;
    QDateTime m_momento;

    QStringList m_nomes, m_codigos;
    int m_relatorio = 0;
    int m_modo = ApenasMunicipio;
    int m_municipio = -1;
    int m_indice = 0;
    bool m_relatoriosHabilitado = true, m_modoHabilitado = true, m_agrupadosHabilitado = true;
    bool m_municipioHabilitado = false, m_indiceHabilitado = false;
    bool m_excel = false, m_excelHabilitado = true;
    bool m_impressora = false, m_impressoraHabilitado = true;
};
