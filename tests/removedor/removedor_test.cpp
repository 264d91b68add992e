#include "removedor.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <vector>

using removedor::Desfecho;

namespace
{
const std::wstring Instancia = L"C:\\Program Files\\Firebird\\Firebird_3_0\\";
const std::wstring Desinstalador = Instancia + L"unins000.exe";
const std::wstring Batch = L"C:\\ORBEL\\PararServicoFirebird.bat";

// Windows as removedor sees it: a registry value, a file system, processes and a message queue,
// with every call written down in order.
class PlataformaFalsa : public Plataforma
{
  public:
    std::wstring instancia = Instancia;
    std::map<std::wstring, std::string> arquivos{{Desinstalador, "MZ"}};
    bool gravacaoFalha = false;
    bool inicioFalha = false;
    std::deque<std::optional<std::uint32_t>> codigos{removedor::AindaRodando, removedor::AindaRodando, 3};
    int fimPedidoNaEspera = -1; // the wait at which the program is asked to end

    std::vector<std::wstring> passos;
    std::vector<bool> batchDuranteEspera;
    std::vector<std::wstring> erros;

    std::wstring leInstanciaPadrao() override
    {
        passos.push_back(L"registro");
        return instancia;
    }
    std::wstring pastaDoPrograma() override { return L"C:\\ORBEL\\"; }
    bool arquivoExiste(const std::wstring &caminho) override { return arquivos.count(caminho) > 0; }
    bool gravaArquivo(const std::wstring &caminho, std::string_view bytes, std::wstring &erro) override
    {
        passos.push_back(L"grava " + caminho);
        if (gravacaoFalha) {
            erro = L"Acesso negado.";
            return false;
        }
        arquivos[caminho] = bytes;
        return true;
    }
    bool apagaArquivo(const std::wstring &caminho) override
    {
        passos.push_back(L"apaga " + caminho);
        return arquivos.erase(caminho) > 0;
    }
    bool iniciaSemEspera(const std::wstring &arquivo) override
    {
        passos.push_back(L"inicia " + arquivo);
        return true;
    }
    Processo iniciaComProcesso(const std::wstring &arquivo, const std::wstring &parametros,
                               const std::wstring &pasta) override
    {
        passos.push_back(L"processo " + arquivo + L"|" + parametros + L"|" + pasta);
        return inicioFalha || !arquivos.count(arquivo) ? 0 : 42;
    }
    std::optional<std::uint32_t> codigoSaida(Processo processo) override
    {
        EXPECT_EQ(processo, 42u);
        batchDuranteEspera.push_back(arquivos.count(Batch) > 0);
        const auto codigo = codigos.front();
        codigos.pop_front();
        return codigo;
    }
    void fechaProcesso(Processo processo) override
    {
        EXPECT_EQ(processo, 42u);
        passos.push_back(L"fecha");
    }
    bool processaMensagens() override
    {
        passos.push_back(L"mensagens");
        return true;
    }
    bool aguardaMensagens(Processo processo) override
    {
        EXPECT_EQ(processo, 42u);
        passos.push_back(L"aguarda");
        return fimPedidoNaEspera-- != 0;
    }
    void mostraErro(const std::wstring &mensagem) override
    {
        passos.push_back(L"erro");
        erros.push_back(mensagem);
    }
};

std::string leArquivo(const char *caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

const std::wstring Processo =
    L"processo " + Desinstalador + L"| /SILENT /NORESTART /SUPPRESSMSGBOXES|" + Instancia;
} // namespace

TEST(Removedor, BatchIsWrittenByteForByte)
{
    const std::string esperado = leArquivo(REMOVEDOR_BATCH_ESPERADO);
    ASSERT_FALSE(esperado.empty());
    EXPECT_EQ(removedor::conteudoBatch(), esperado);

    // what a careless edit of the table would break first
    std::vector<std::string> linhas;
    std::string_view resto = removedor::conteudoBatch();
    for (size_t fim; (fim = resto.find("\r\n")) != std::string_view::npos; resto.remove_prefix(fim + 2))
        linhas.emplace_back(resto.substr(0, fim));
    EXPECT_TRUE(resto.empty()) << "every line ends with CR LF";
    ASSERT_EQ(linhas.size(), 46u);
    EXPECT_EQ(linhas[28], "if '%cmdInvoke%'=='1' goto InvokeCmd ");
    EXPECT_EQ(linhas[40], std::string(28, ':'));
    EXPECT_EQ(linhas[42], std::string(28, ':'));
    EXPECT_EQ(removedor::conteudoBatch().find('\n'), removedor::conteudoBatch().find("\r\n") + 1);
}

TEST(Removedor, StopsTheServiceThenWaitsForTheUninstallerAndOnlyThenDeletesTheBatch)
{
    PlataformaFalsa p;
    EXPECT_EQ(removedor::executa(p), Desfecho::Encerra);

    const std::vector<std::wstring> esperados = {
        L"registro", L"mensagens", L"grava " + Batch, L"inicia " + Batch, L"mensagens", L"registro",
        Processo,    L"aguarda",   L"aguarda",        L"aguarda",         L"fecha",     L"apaga " + Batch};
    EXPECT_EQ(p.passos, esperados);
    // polled until the exit code left 259, whatever it became
    EXPECT_TRUE(p.codigos.empty());
    // the command processor and its elevated run read the batch while the uninstaller runs
    EXPECT_EQ(p.batchDuranteEspera, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(p.arquivos.count(Batch));
    EXPECT_TRUE(p.erros.empty());
}

TEST(Removedor, WithoutTheRegistryValueEndsAtOnceWritingAndStartingNothing)
{
    PlataformaFalsa p;
    p.instancia.clear();
    // another program's uninstaller in the current folder must not be taken for Firebird's
    p.arquivos[L"unins000.exe"] = "MZ";
    EXPECT_EQ(removedor::executa(p), Desfecho::Encerra);
    EXPECT_EQ(p.passos, std::vector<std::wstring>{L"registro"});
    EXPECT_FALSE(p.arquivos.count(Batch));
}

TEST(Removedor, WithoutTheUninstallerFileNoBatchIsWrittenAndTheProgramEnds)
{
    PlataformaFalsa p;
    p.arquivos.clear();
    EXPECT_EQ(removedor::executa(p), Desfecho::Encerra);
    const std::vector<std::wstring> esperados = {L"registro", L"mensagens", L"mensagens", L"registro",
                                                 Processo};
    EXPECT_EQ(p.passos, esperados);
    EXPECT_TRUE(p.arquivos.empty());
}

TEST(Removedor, ABatchThatCannotBeWrittenShowsTheErrorAndKeepsTheWindow)
{
    PlataformaFalsa p;
    p.gravacaoFalha = true;
    EXPECT_EQ(removedor::executa(p), Desfecho::FicaAberto);
    const std::vector<std::wstring> esperados = {L"registro", L"mensagens", L"grava " + Batch, L"erro"};
    EXPECT_EQ(p.passos, esperados);
    ASSERT_EQ(p.erros.size(), 1u);
    EXPECT_NE(p.erros[0].find(Batch), std::wstring::npos);
    EXPECT_NE(p.erros[0].find(L"Acesso negado."), std::wstring::npos);
}

TEST(Removedor, AnUninstallerThatDoesNotStartEndsSilentlyAndTheBatchGoes)
{
    PlataformaFalsa p;
    p.inicioFalha = true;
    EXPECT_EQ(removedor::executa(p), Desfecho::Encerra);
    const std::vector<std::wstring> esperados = {L"registro",        L"mensagens",     L"grava " + Batch,
                                                 L"inicia " + Batch, L"mensagens",     L"registro",
                                                 Processo,           L"apaga " + Batch};
    EXPECT_EQ(p.passos, esperados);
    EXPECT_TRUE(p.erros.empty());
    EXPECT_FALSE(p.arquivos.count(Batch));
}

TEST(Removedor, TheWaitEndsWhenTheProgramIsAskedToEndOrTheExitCodeCannotBeRead)
{
    {
        PlataformaFalsa p;
        p.fimPedidoNaEspera = 1;
        EXPECT_EQ(removedor::executa(p), Desfecho::Encerra);
        EXPECT_EQ(p.batchDuranteEspera.size(), 1u);
        EXPECT_EQ(p.passos.back(), L"apaga " + Batch);
        EXPECT_EQ(p.passos.end()[-2], L"fecha");
    }
    {
        PlataformaFalsa p;
        p.codigos = {removedor::AindaRodando, std::nullopt, removedor::AindaRodando};
        EXPECT_EQ(removedor::executa(p), Desfecho::Encerra);
        EXPECT_EQ(p.batchDuranteEspera.size(), 2u);
        EXPECT_EQ(p.passos.end()[-2], L"fecha");
    }
}
