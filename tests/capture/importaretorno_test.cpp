#include "capture/capturaarquivos.h"
#include "data/tdmprincipal.h"
#include "shell/diretorios.h"
#include "shell/scriptedui.h"
#include "support/arquivosteste.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{
const char *kIe = "0012345678901";

LinhaFixa cab(const char *tipo, const char *munic = "001", const char *ie = kIe)
{
    return CabecaRetorno(tipo, ie, munic);
}

// One declaration: 0A, 01, 02, detail records, then its records 10 with the given error slots.
QStringList declaracao(const char *ie, const QStringList &eventos, const char *regime = "01")
{
    QStringList l;
    l << cab("0A", "001", ie).poe(19, "RUA A").poe(153, "001").texto();
    l << cab("01", "001", ie)
             .poe(19, "2023")
             .poe(23, "LOJA \"UM\"")
             .poe(58, "01032024")
             .poe(66, "080000")
             .poe(72, "01032024")
             .poe(80, "02032024")
             .poe(88, "1")
             .poe(89, "2")
             .poe(94, "PROTOCOLO00000000001")
             .poe(159, "001")
             .poe(162, regime)
             .texto();
    l << cab("02", "001", ie)
             .poe(19, "CONTADOR")
             .poe(103, "000000000000100")
             .poe(118, "000000000000200")
             .poe(133, "000000000000300")
             .poe(148, "000000000000400")
             .texto();
    for (auto [cod, v] : std::initializer_list<std::pair<const char *, const char *>>{{"018", "1000"},
                                                                                      {"019", "100"},
                                                                                      {"020", "150"},
                                                                                      {"022", "400"},
                                                                                      {"024", "200"},
                                                                                      {"025", "50"},
                                                                                      {"026", "30"},
                                                                                      {"027", "10"}})
        l << cab("03", "001", ie).poe(19, cod).poe(22, v).texto();
    l << cab("09", "001", ie).poe(20, "055").poe(23, "100").poe(38, "80").poe(53, "12").texto();
    l << cab("07", "001", ie).poe(19, "10").poe(34, "20").poe(49, "5").poe(64, "30").poe(79, regime).texto();
    for (const QString &erros : eventos)
        l << cab("10", "001", ie)
                 .poe(19, "2023")
                 .poe(23, "05032024")
                 .poe(31, "090000")
                 .poe(37, "06032024")
                 .poe(45, "1")
                 .poe(46, "PROT")
                 .poe(66, regime)
                 .poe(68, "2")
                 .poe(69, "S")
                 .poe(70, "1000.00")
                 .poe(85, "0")
                 .poe(100, "0")
                 .poe(115, "900.50")
                 .poe(130, "RESP")
                 .poe(144, erros)
                 .poe(159, "OK")
                 .poe(184, regime)
                 .texto();
    return l;
}

struct Retorno {
    TempHome home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm{ui};
    std::unique_ptr<BancoDeTeste> b;
    Retorno()
    {
        dm.Inicia();
        ui.limpa();
        b = std::make_unique<BancoDeTeste>(home.banco());
    }
    bool captura(const QStringList &linhas, const char *nome = "RT0012324.zip")
    {
        const QString zip = home.arquivo(nome);
        GravaZipCaptura(zip, linhas);
        CapturaArquivos c(dm, ui);
        c.abre();
        const bool ok = c.Captura(CapturaArquivos::Retorno, zip);
        c.fecha();
        return ok;
    }
    QVariant v(const QString &sql) { return b->valor(sql); }
};
} // namespace

TEST(ReturnImport, DeclarationsStatusHistoryAndDetailRows)
{
    Retorno r;
    QStringList l =
        declaracao("0000000000001", {"0000030000", "0000000000"}); // refused in slot 3, then accepted
    l += declaracao("0000000000002", {"0200000000"});              // accepted; history refuses
    l += declaracao("0000000000003", {"1313000000"});              // refused, one error row
    l << cab("05").texto();                                        // unknown type: ignored
    l << cab("99", "001", "0000000000000")
             .poe(19, "120")
             .poe(28, "1234,5")
             .poe(44, "01/01/2023")
             .poe(54, "31/12/2023")
             .texto();
    l << cab("16", "001", "0000000000000")
             .poe(19, "1")
             .poe(34, "1")
             .poe(49, "1")
             .poe(64, "1")
             .poe(79, "1")
             .poe(94, "1")
             .poe(109, "1")
             .poe(124, "1")
             .poe(139, "001234567")
             .poe(148, "1")
             .poe(164, "1")
             .poe(179, "1")
             .texto();
    ASSERT_TRUE(r.captura(l)) << r.ui.textos().join(" | ").toStdString();

    EXPECT_EQ(r.b->conta("DECLARACOES"), 3);
    EXPECT_EQ(r.v("SELECT DEC_ID FROM DECLARACOES WHERE DEC_IE = '0000000000001'").toInt(), 1);
    EXPECT_EQ(r.v("SELECT DEC_ID FROM DECLARACOES WHERE DEC_IE = '0000000000003'").toInt(), 3);
    EXPECT_EQ(r.v("SELECT DEC_NOME FROM DECLARACOES WHERE DEC_ID = 1").toString(), QString("LOJA UM"));
    EXPECT_EQ(r.v("SELECT RETORNO_CODIGO FROM DECLARACOES WHERE DEC_ID = 1").toString(), QString("24"));
    // 1: "R" by slot 3, then "E" with a full update; two history rows
    EXPECT_EQ(r.v("SELECT DEC_SITUACAO FROM DECLARACOES WHERE DEC_ID = 1").toString(), QString("E"));
    EXPECT_EQ(r.v("SELECT DEC_IRREGULAR FROM DECLARACOES WHERE DEC_ID = 1").toString(), QString("S"));
    EXPECT_EQ(r.v("SELECT DEC_PRIM_ENTREGA FROM DECLARACOES WHERE DEC_ID = 1").toDate(), QDate(2024, 3, 5));
    EXPECT_EQ(r.b->conta("HISTORICO", "DEC_ID = 1"), 2);
    EXPECT_EQ(r.v("SELECT HIST_SITUACAO FROM HISTORICO WHERE DEC_ID = 1 AND HISTORICO_ID = 1").toString(),
              QString("E"));
    EXPECT_EQ(r.b->conta("HIST_ERROS", "DEC_ID = 1 AND ERRO_CODIGO = '03'"), 1);
    EXPECT_DOUBLE_EQ(r.v("SELECT HIST_VAF FROM HISTORICO WHERE DEC_ID = 1 AND HISTORICO_ID = 2").toDouble(),
                     900.5);
    // 2: declaration accepted, history refused by its first slot
    EXPECT_EQ(r.v("SELECT DEC_SITUACAO FROM DECLARACOES WHERE DEC_ID = 2").toString(), QString("E"));
    EXPECT_EQ(r.v("SELECT HIST_SITUACAO FROM HISTORICO WHERE DEC_ID = 2").toString(), QString("R"));
    // 3: refused; the repeated code gives one error row
    EXPECT_EQ(r.v("SELECT DEC_SITUACAO FROM DECLARACOES WHERE DEC_ID = 3").toString(), QString("R"));
    EXPECT_EQ(r.b->conta("HIST_ERROS", "DEC_ID = 3"), 1);
    EXPECT_EQ(r.v("SELECT HIST_ERROS FROM HISTORICO WHERE DEC_ID = 3").toString(), QString("13 13 00 00 00"));

    // pending details written once per declaration, with their results and totals
    EXPECT_EQ(r.b->conta("DEC_DRO", "DEC_ID = 1"), 1);
    EXPECT_DOUBLE_EQ(r.v("SELECT RECEITA_LIQUIDA FROM DEC_DRO WHERE DEC_ID = 1").toDouble(), 750);
    EXPECT_DOUBLE_EQ(r.v("SELECT LUCRO_PREJUIZO_OPERACIONAL FROM DEC_DRO WHERE DEC_ID = 1").toDouble(), 180);
    EXPECT_DOUBLE_EQ(r.v("SELECT ENTRADAS_VC_TOTAL FROM DEC_ENTRADASSAIDAS WHERE DEC_ID = 1").toDouble(),
                     100);
    EXPECT_EQ(r.b->conta("DEC_VAFEXCLUSOES", "DEC_ID = 2"), 1);
    EXPECT_DOUBLE_EQ(r.v("SELECT TOTAL_GERAL_VAF_ANO_ANTERIOR FROM DEC_VAF WHERE DEC_ID = 1").toDouble(),
                     400);
    // municipality records
    EXPECT_DOUBLE_EQ(r.v("SELECT TOTALVAF FROM MUNIC_TOTAIS WHERE MUNIC_CODIGO = '001'").toDouble(), 1234.5);
    EXPECT_EQ(r.v("SELECT INDICE FROM MUNIC_INDICES WHERE MUNIC_CODIGO = '001'").toString(),
              QString("0,1234567"));
    EXPECT_EQ(CapturaArquivos::UltimoArquivo(CapturaArquivos::Retorno), QString("RT0012324.zip"));

    // a second capture with replacement numbers from the highest remaining declaration
    r.b->executa("INSERT INTO DECLARACOES (DEC_ID, MUNIC_CODIGO) VALUES (57, '002')");
    r.ui.enfileira(UserInterface::Sim);
    ASSERT_TRUE(
        r.captura(declaracao("0000000000009", {"0000000000"}) +
                      QStringList{cab("99", "001", "0000000000000").poe(19, "1").poe(28, "2").texto()},
                  "RT0012424.zip"));
    EXPECT_EQ(r.v("SELECT DEC_ID FROM DECLARACOES WHERE DEC_IE = '0000000000009'").toInt(), 58);
    EXPECT_EQ(r.b->conta("MUNIC_TOTAIS", "MUNIC_CODIGO = '001'"), 1); // updated, not added
    EXPECT_DOUBLE_EQ(r.v("SELECT TOTALVAF FROM MUNIC_TOTAIS WHERE MUNIC_CODIGO = '001'").toDouble(), 2);
}

TEST(ReturnImport, SimeiLeavesTheActiveListAndAFailingRecordUndoesTheWholeCapture)
{
    Retorno r;
    r.b->executa("INSERT INTO ATIVOS (IE, MUNIC_CODIGO) VALUES ('7777777777777', '001')");
    QStringList l = declaracao("0000000000001", {"0000000000"});
    l << cab("40")
             .poe(22, "7777777777777")
             .poe(35, "001")
             .poe(38, "MEI")
             .poe(73, "15032024")
             .poe(81, "12,5")
             .texto();
    const QStringList bom = l + declaracao("0000000000002", {"0000000000"});
    l << cab("07").poe(19, "NAO E VALOR").texto(); // fails
    const int linhaRuim = int(l.size());
    l += declaracao("0000000000002", {"0000000000"});
    EXPECT_FALSE(r.captura(l));
    // nothing of the run stays, the SIMEI taxpayer's removal included
    EXPECT_EQ(r.b->conta("DECLARACOES"), 0);
    EXPECT_EQ(r.b->conta("DEC_SIMEI"), 0);
    EXPECT_EQ(r.b->conta("ATIVOS", "IE = '7777777777777'"), 1);
    const QString ultimo = r.ui.textos().filter("GravaRegistro 7 - ").value(0);
    EXPECT_TRUE(ultimo.startsWith("GravaRegistro 7 - ")) << ultimo.toStdString(); // shown by the runner
    EXPECT_TRUE(ultimo.contains(QString("\r\nLinha %1 do arquivo (registro 07, IE ").arg(linhaRuim)))
        << ultimo.toStdString();
    EXPECT_TRUE(ultimo.endsWith("A captura foi desfeita: o banco de dados não foi alterado."));
    QFile log(DiretorioSistema() + "LogORBEL.txt");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("NAO E VALOR#13#10"));
    // the capture still records the file and the summary, without the success message
    EXPECT_EQ(CapturaArquivos::UltimoArquivo(CapturaArquivos::Retorno), QString("RT0012324.zip"));
    EXPECT_FALSE(r.ui.textos().contains("Captura de arquivo finalizada com sucesso"));

    // the file without its bad record: captured whole, the SIMEI taxpayer out of the active list
    r.ui.limpa();
    EXPECT_TRUE(r.captura(bom)) << r.ui.textos().join(" | ").toStdString();
    EXPECT_EQ(r.b->conta("DECLARACOES"), 2);
    EXPECT_EQ(r.b->conta("DEC_SIMEI"), 1);
    EXPECT_EQ(r.b->conta("ATIVOS", "IE = '7777777777777'"), 0);
}

TEST(ReturnImport, AFieldCodeNamingNoColumnOfItsTableFailsTheRecord)
{
    Retorno r;
    // CAMPOS is data of the delivered database: a row may name a column the table lacks
    r.b->executa("UPDATE CAMPOS SET CAMPO_DESTINO = 'NAO_EXISTE' WHERE RETORNO = '024'");
    r.dm.cdsCampos.close();
    r.dm.cdsCampos.open(r.dm.MainConnection());
    EXPECT_FALSE(r.captura(declaracao("0000000000001", {"0000000000"})));
    const QString erro = r.ui.textos().filter("GravaRegistro 3 - ").value(0);
    EXPECT_TRUE(erro.contains("NAO_EXISTE")) << erro.toStdString();
    EXPECT_EQ(r.b->conta("DECLARACOES"), 0); // written before the failing record, and undone with it
    EXPECT_EQ(r.b->conta("DEC_DRO"), 0);
}
