#pragma once

// The tables of the return data, named once for the capture, the clean-up and their tests.
namespace TabelasRetorno
{

// Rows of a declaration that go with it when the declaration is deleted (the schema's trigger on
// DECLARACOES removes them): its VAF, VAF details and the twelve tables of its pending details.
inline constexpr const char *kPorDeclaracao[] = {
    "DEC_VAF",         "DEC_VAFDETALHES",    "DEC_DO",          "DEC_DRO",         "DEC_ESTOQUE",
    "DEC_ENTESTADO",   "DEC_ENTOUTROS",      "DEC_ENTEXTERIOR", "DEC_SAIESTADO",   "DEC_SAIOUTROS",
    "DEC_SAIEXTERIOR", "DEC_ENTRADASSAIDAS", "DEC_SIMPLES",     "DEC_VAFEXCLUSOES"};

// Rows of a declaration's Simples Nacional records, by its number, which the program deletes itself:
// a number reused after a replacement must find none of the old rows.
inline constexpr const char *kSimplesPorDeclaracao[] = {"DEC_TOTAL_SN",
                                                        "DEC_DET_AMBULANTES",
                                                        "DEC_DET_MERCADORIA_RURAL",
                                                        "DEC_DET_MERCADORIA_SEM_NOTA",
                                                        "DEC_DET_PRODUCAO_RURAL",
                                                        "DEC_DET_RECEITA_BRUTA_VAFMUNIC",
                                                        "DEC_DET_REFEICAO_OUTRO_MUNIC",
                                                        "DEC_DET_SERVICO_COMUNICACAO",
                                                        "DEC_DET_SERVICO_TRANSPORTE",
                                                        "DEC_DET_TRANSF_MERC_INFRACAO"};

// The detail rows a municipality's replacement removes by the municipality they are about.
struct DetalheMunicipio {
    const char *tabela;
    const char *coluna;
};
inline constexpr DetalheMunicipio kDetalhesPorMunicipio[] = {
    {"DEC_DET_AMBULANTES", "MUNIC_DETALHAMENTO"},
    {"DEC_DET_MERCADORIA_RURAL", "MUNIC_DETALHAMENTO"},
    {"DEC_DET_MERCADORIA_SEM_NOTA", "MUNIC_DETALHAMENTO"},
    {"DEC_DET_PRODUCAO_RURAL", "MUNIC_DETALHAMENTO"},
    {"DEC_DET_RECEITA_BRUTA_VAFMUNIC", "MUNIC_ESTABELECIMENTO"},
    {"DEC_DET_REFEICAO_OUTRO_MUNIC", "MUNIC_DETALHAMENTO"},
    {"DEC_DET_SERVICO_COMUNICACAO", "MUNIC_DETALHAMENTO"},
    {"DEC_DET_SERVICO_TRANSPORTE", "MUNIC_DETALHAMENTO"},
    {"VAF_MUDANCA_MUNIC", "VMM_COD_MUNIC_ESTABELECIMEN"},
    {"DEC_SIMEI", "COD_MUNIC_ESTABELECIMEN"}};

} // namespace TabelasRetorno
