#include "data/fbconexao.h"
#include "data/tdmprincipal.h"
#include "shell/inifile.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{
const QString kReiniciar = "Favor reiniciar a aplicação";

int contaTitulo(const ScriptedUi &ui, const QString &titulo, const QString &trecho = {})
{
    int n = 0;
    for (const auto &m : ui.mensagens())
        if (m.titulo == titulo && m.texto.contains(trecho))
            ++n;
    return n;
}

// Starts a data module and returns the fatal message shown, empty when the start went through.
QString iniciaFalhando(ScriptedUi &ui, QString *titulo)
{
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
    } catch (const ProgramaEncerrado &) {
        *titulo = ui.mensagens().last().titulo;
        return ui.mensagens().last().texto;
    }
    return {};
}
} // namespace

TEST(DataModuleStart, FirstStartAddsErrorCodesOnceAndLeavesIndexesActive)
{
    auto home = TempHome::seeded();
    {
        // a home made by setup already has the current structure: its first start asks nothing
        ScriptedUi ui;
        TdmPrincipal dm(ui);
        dm.Inicia();
        EXPECT_EQ(contaTitulo(ui, kReiniciar), 0);
    }
    // a database of an older version lacks the two codes
    BancoDeTeste(home.banco()).executa("DELETE FROM ERROS WHERE ERRO_CODIGO IN ('17', '18')");
    {
        ScriptedUi ui;
        TdmPrincipal dm(ui);
        dm.Inicia();
        EXPECT_EQ(contaTitulo(ui, kReiniciar, "4.00.04"), 1);
        EXPECT_EQ(contaTitulo(ui, kReiniciar, "4.00.07"), 0);
        EXPECT_TRUE(ui.aguardes().contains("Carregando tabelas do sistema... aguarde."));
        EXPECT_TRUE(ui.aguardeAtual().isEmpty());
        EXPECT_EQ(dm.cdsMunicipios.recordCount(), 50);
        EXPECT_TRUE(dm.cdsDeclaracoes.active());
        EXPECT_EQ(dm.cdsDeclaracoes.recordCount(), 0);
    }
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    EXPECT_TRUE(ui.mensagens().isEmpty());
    BancoDeTeste b(home.banco());
    EXPECT_EQ(b.conta("ERROS", "ERRO_CODIGO IN ('17','18')"), 2);
    EXPECT_EQ(b.valor("SELECT ERRO_DESCRICAO FROM ERROS WHERE ERRO_CODIGO='18'").toString(),
              QString("Declaração processada com erro"));
    EXPECT_EQ(b.conta("RDB$INDICES", "RDB$INDEX_INACTIVE = 1"), 0);
}

TEST(DataModuleStart, ConfigurationFailuresEndTheProgramWithTheirBoxes)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    QString titulo;

    QFile::remove(home.ini());
    EXPECT_EQ(iniciaFalhando(ui, &titulo), QString("Arquivo INI não encontrado!"));
    EXPECT_EQ(titulo, QString("Erro ao conectar com o banco"));
    EXPECT_EQ(ui.mensagens().last().icone, UserInterface::Icone::Erro);

    GravaIniDireto(home.ini(), "ORBEL", "Database", home.path() + "/bd/NAOEXISTE.GDB");
    EXPECT_FALSE(iniciaFalhando(ui, &titulo).isEmpty());
    EXPECT_EQ(titulo, QString("Erro ao conectar com o banco"));

    // the engine's text first, then what the clerk can do about it
    auto falha = [&](const QString &caminho) {
        GravaIniDireto(home.ini(), "ORBEL", "Database", caminho);
        const QString texto = iniciaFalhando(ui, &titulo);
        EXPECT_EQ(titulo, QString("Erro ao conectar com o banco"));
        return texto;
    };
    EXPECT_TRUE(falha(home.path() + "/bd").contains("\r\nO caminho " + home.path() + "/bd é uma pasta"));
    QFile lixo(home.path() + "/bd/LIXO.GDB");
    ASSERT_TRUE(lixo.open(QIODevice::WriteOnly));
    lixo.write(QByteArray(4096, 'x'));
    lixo.close();
    const QString texto = falha(lixo.fileName());
    EXPECT_TRUE(texto.contains("\r\nO arquivo " + lixo.fileName() + " não é um banco de dados do ORBEL"))
        << texto.toStdString();
    EXPECT_FALSE(texto.startsWith("O arquivo")) << "the engine's own text comes first";

    // a Firebird database of some other program
    {
        FbConexao fb;
        fb.criaBanco(home.path() + "/bd/OUTRO.FDB", "SYSDBA", "plumwater");
    }
    GravaIniDireto(home.ini(), "ORBEL", "Database", home.path() + "/bd/OUTRO.FDB");
    EXPECT_TRUE(iniciaFalhando(ui, &titulo).contains("não é um banco do ORBEL: faltam as suas tabelas"));
    EXPECT_EQ(titulo, QString("Erro ao abrir tabelas do banco"));
}

TEST(DataModuleStart, MissingDatabaseKeyGetsTheDefaultPathWritten)
{
    auto home = TempHome::seeded();
    QFile f(home.ini());
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write("[ORBEL]\r\nBackup=\r\n");
    f.close();
    ScriptedUi ui;
    QString titulo;
    EXPECT_EQ(iniciaFalhando(ui, &titulo), QString());
    EXPECT_EQ(LeIni(home.ini(), "ORBEL", "Database"), home.path() + "/bd/ORBEL.GDB");
}

TEST(DataModuleStart, MissingBaseYearFailsWhileOpeningTheTables)
{
    auto home = TempHome::seeded();
    BancoDeTeste(home.banco()).executa("DELETE FROM PARAMETROS WHERE CAMPO = 'ANOEXERCICIO'");
    ScriptedUi ui;
    QString titulo;
    EXPECT_EQ(iniciaFalhando(ui, &titulo), QString("'' não é um valor inteiro válido"));
    EXPECT_EQ(titulo, QString("Erro ao abrir tabelas do banco"));
}

TEST(DataModuleStart, ValidationColumnMovesToTheHistoryOnce)
{
    auto home = TempHome::seeded();
    {
        BancoDeTeste b(home.banco());
        b.executa("ALTER TABLE HISTORICO DROP DEC_VALIDACAO");
        b.executa("ALTER TABLE DECLARACOES ADD DEC_VALIDACAO VARCHAR(25)");
    }
    {
        ScriptedUi ui;
        TdmPrincipal dm(ui);
        dm.Inicia();
        EXPECT_EQ(contaTitulo(ui, kReiniciar, "4.00.07"), 2);
    }
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    EXPECT_EQ(contaTitulo(ui, kReiniciar, "4.00.07"), 0);
    BancoDeTeste b(home.banco());
    EXPECT_EQ(b.conta("RDB$RELATION_FIELDS",
                      "RDB$FIELD_NAME = 'DEC_VALIDACAO' AND RDB$RELATION_NAME = 'HISTORICO'"),
              1);
    EXPECT_EQ(b.conta("RDB$RELATION_FIELDS",
                      "RDB$FIELD_NAME = 'DEC_VALIDACAO' AND RDB$RELATION_NAME = 'DECLARACOES'"),
              0);
}

TEST(ParameterStore, ValuesRoundTripUnchangedAndAreSeenAtOnce)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    EXPECT_EQ(dm.LeParametro("NUNCAGRAVADO"), QString());
    dm.GravaParametro("ULTIMOMUNICREL", "D'ÁGUA");
    EXPECT_EQ(dm.LeParametro("ULTIMOMUNICREL"), QString("D'ÁGUA"));
    dm.GravaParametro("ULTIMOMUNICREL", "001");
    EXPECT_EQ(dm.LeParametro("ULTIMOMUNICREL"), QString("001"));
    EXPECT_EQ(BancoDeTeste(home.banco()).conta("PARAMETROS", "CAMPO = 'ULTIMOMUNICREL'"), 1);
    EXPECT_EQ(dm.LeParametro("ANOEXERCICIO"), QString("2023"));
}

TEST(Indexes, TheEightSwitchOffAndOnAgain)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    BancoDeTeste b(home.banco());
    const QString oito =
        "RDB$INDEX_NAME IN ('IDX_ATIVOS_MUNIC_CODIGO','IDX_CNAEF','IDX_MUNIC_IE_NOME','DECLARACOES_IE',"
        "'DECLARACOES_MUNIC_CODIGO','DECLARACOES_EXERCICIO','IDX_VAF_MUDANCA_MUNIC_1','IDX_DEC_SIMEI_1')";
    EXPECT_EQ(b.conta("RDB$INDICES", oito), 8);
    dm.HabilitaIndices(false);
    EXPECT_EQ(b.conta("RDB$INDICES", oito + " AND RDB$INDEX_INACTIVE = 1"), 8);
    EXPECT_TRUE(ui.aguardes().contains("Desabilitando índices... aguarde."));
    dm.HabilitaIndices(true);
    EXPECT_EQ(b.conta("RDB$INDICES", oito + " AND RDB$INDEX_INACTIVE = 1"), 0);
    EXPECT_TRUE(ui.aguardeAtual().isEmpty());
    // the capture's own lookup indexes are never switched off
    EXPECT_EQ(b.conta("RDB$INDICES", "RDB$INDEX_NAME = 'IDX_ATIVOS_CNPJ'"), 1);
}

TEST(Schema, DeletingADeclarationTakesItsPerDeclarationRowsAlong)
{
    auto home = TempHome::seeded();
    BancoDeTeste b(home.banco());
    const QStringList tabelas = {"DEC_VAF",       "DEC_VAFDETALHES", "DEC_DO",          "DEC_DRO",
                                 "DEC_ESTOQUE",   "DEC_ENTESTADO",   "DEC_ENTOUTROS",   "DEC_ENTEXTERIOR",
                                 "DEC_SAIESTADO", "DEC_SAIOUTROS",   "DEC_SAIEXTERIOR", "DEC_ENTRADASSAIDAS",
                                 "DEC_SIMPLES",   "DEC_VAFEXCLUSOES"};
    for (int id : {1, 2}) {
        b.executa("INSERT INTO DECLARACOES (DEC_ID, DEC_IE, MUNIC_CODIGO) VALUES (?, '123', '001')", {id});
        b.executa("INSERT INTO HISTORICO (HISTORICO_ID, DEC_ID) VALUES (1, ?)", {id});
        b.executa("INSERT INTO HIST_ERROS (HISTORICO_ID, DEC_ID, ERRO_CODIGO) VALUES (1, ?, '03')", {id});
        b.executa("INSERT INTO DEC_TOTAL_SN (DEC_ID) VALUES (?)", {id});
        for (const QString &t : tabelas) {
            const QString extra = t == "DEC_VAFDETALHES"
                                      ? ", MUNIC_CODIGO, TIPO_DETALHAMENTO) VALUES (?, '001', '01')"
                                      : ") VALUES (?)";
            b.executa("INSERT INTO " + t + " (DEC_ID" + extra, {id});
        }
    }
    b.executa("DELETE FROM DECLARACOES WHERE DEC_ID = 1");
    for (const QString &t : tabelas + QStringList{"HISTORICO", "HIST_ERROS"}) {
        EXPECT_EQ(b.conta(t, "DEC_ID = 1"), 0) << t.toStdString();
        EXPECT_EQ(b.conta(t, "DEC_ID = 2"), 1) << t.toStdString();
    }
    // the program deletes these itself
    EXPECT_EQ(b.conta("DEC_TOTAL_SN", "DEC_ID = 1"), 1);

    b.executa("DELETE FROM HISTORICO WHERE DEC_ID = 2");
    EXPECT_EQ(b.conta("HIST_ERROS", "DEC_ID = 2"), 0);
}

TEST(Schema, WidenedColumnsAndIrregularNamesAreThere)
{
    auto home = TempHome::seeded();
    BancoDeTeste b(home.banco());
    b.executa(
        "INSERT INTO MUNIC_INDICES (INDICE_CODIGO, MUNIC_CODIGO, INDICE) VALUES ('P', '001', '12,3456789')");
    b.executa("INSERT INTO ATIVOS (IE, ENDERECO) VALUES ('1', ?)", {QString(221, 'x')});
    EXPECT_EQ(b.conta("ATIVOS"), 1);
    b.executa("INSERT INTO DEC_VAF (DEC_ID, TOTAL_GERAL_OUTRAS_ENTRADAS_ANT) VALUES (1, 2.5)");
    b.executa("INSERT INTO DEC_ENTRADASSAIDAS (DEC_ID, SAIDAS_TRANSFERENCIA_MERCADORIA) VALUES (1, 2.5)");
    b.executa("INSERT INTO DEC_VAFEXCLUSOES (DEC_ID, ENERGIA_COMUNICACAO_ETNRADA) VALUES (1, 2.5)");
    b.executa("INSERT INTO DEC_TOTAL_SN (DEC_ID, DEC_TOTAL_SERVICO_TRANSPOTE) VALUES (1, 2.5)");
    EXPECT_EQ(b.conta("DEC_VAF"), 1);
}

TEST(SharedDatasets, CnaeCodesFollowTheBaseYear)
{
    auto home = TempHome::seeded();
    BancoDeTeste b(home.banco());
    b.executa("DELETE FROM CNAEF");
    b.executa("INSERT INTO CNAEF VALUES ('4711301', 'VIGENTE', '00', '2000-01-01', '2099-12-31')");
    b.executa("INSERT INTO CNAEF VALUES ('4711302', 'ENCERRADO', '00', '2000-01-01', '2019-12-31')");
    b.executa("INSERT INTO CNAEF VALUES ('4711303', 'ATE O DIA', '00', '2000-01-01', '2020-01-01')");
    b.executa("UPDATE PARAMETROS SET VALOR = '2019' WHERE CAMPO = 'ANOEXERCICIO'");
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    EXPECT_EQ(dm.cdsCNAEF.recordCount(), 2);
    EXPECT_EQ(dm.cdsCNAEF.procura({"CNAEF_ID"}, {"4711302"}), -1);
    EXPECT_GE(dm.cdsCNAEF.procura({"CNAEF_ID"}, {"4711303"}), 0);
}

TEST(SharedDatasets, SummaryChangesReachTheDatabaseAtOnce)
{
    auto home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm(ui);
    dm.Inicia();
    dm.cdsMunic_Resumo.append();
    dm.cdsMunic_Resumo.setValor("MUNIC_CODIGO", "007");
    dm.cdsMunic_Resumo.setValor("ATIVOS", 12);
    dm.cdsMunic_Resumo.post();
    BancoDeTeste b(home.banco());
    EXPECT_EQ(b.valor("SELECT ATIVOS FROM MUNIC_RESUMO WHERE MUNIC_CODIGO = '007'").toInt(), 12);
    dm.cdsMunic_Resumo.edit();
    dm.cdsMunic_Resumo.setValor("ATIVOS", 13);
    dm.cdsMunic_Resumo.post();
    EXPECT_EQ(b.valor("SELECT ATIVOS FROM MUNIC_RESUMO WHERE MUNIC_CODIGO = '007'").toInt(), 13);
    dm.cdsMunic_Resumo.deleteRecord();
    EXPECT_EQ(b.conta("MUNIC_RESUMO"), 0);
}
