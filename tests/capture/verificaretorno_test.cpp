#include "capture/verificaretorno.h"
#include "data/insercaoemlote.h"
#include "data/tdmprincipal.h"
#include "shell/diretorios.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"
#include "shell/win1252.h"
#include "support/banco.h"
#include "support/temphome.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace
{
struct Retorno {
    TempHome home = TempHome::seeded();
    ScriptedUi ui;
    TdmPrincipal dm{ui};
    std::unique_ptr<BancoDeTeste> b;
    std::unique_ptr<TransacaoEmLote> tx;
    Retorno()
    {
        dm.Inicia();
        ui.limpa();
        b = std::make_unique<BancoDeTeste>(home.banco());
    }
    ContextoCaptura texto(const QStringList &linhas)
    {
        QDir().mkpath(DiretorioTemp());
        QFile f(DiretorioTemp() + "PT0019924.txt");
        f.open(QIODevice::WriteOnly);
        for (const QString &l : linhas)
            f.write(Win1252::encode(l) + "\r\n");
        tx = std::make_unique<TransacaoEmLote>(dm.MainConnection(), 0);
        ContextoCaptura ctx{dm, ui, home.arquivo("RT0019924.zip"), false, {}};
        ctx.transacao = tx.get();
        return ctx;
    }
    void declaracao(int id, const char *munic)
    {
        b->executa("INSERT INTO DECLARACOES (DEC_ID, MUNIC_CODIGO) VALUES (?, ?)", {id, munic});
        b->executa("INSERT INTO DEC_TOTAL_SN (DEC_ID) VALUES (?)", {id});
        b->executa("INSERT INTO DEC_DET_TRANSF_MERC_INFRACAO (DEC_ID, MUNIC_CONTRIBUINTE) VALUES (?, ?)",
                   {id, munic});
        b->executa("INSERT INTO DEC_DET_AMBULANTES (DEC_ID, MUNIC_DETALHAMENTO) VALUES (?, '050')", {id});
        b->executa("INSERT INTO DEC_VAF (DEC_ID) VALUES (?)", {id});
    }
};
} // namespace

TEST(ReturnPrecheck, ReplacingOneMunicipalityKeepsTheOtherIndexTypeAndLeavesNoOldRowBehind)
{
    Retorno r;
    r.declaracao(1, "001");
    r.declaracao(2, "002");
    for (const char *tipo : {"P", "D"}) {
        r.b->executa("INSERT INTO MUNIC_INDICES (INDICE_CODIGO, MUNIC_CODIGO) VALUES (?, '001')", {tipo});
        r.b->executa("INSERT INTO MUNIC_VAFA (TIPOINDICE, MUNIC_CODIGO) VALUES (?, '001')", {tipo});
    }
    auto ctx = r.texto({"01001", "17001", "99001"});
    QString tipo;
    r.ui.enfileira(UserInterface::Sim);
    const Verificacao v = VerificaRetorno(ctx, &tipo);
    EXPECT_TRUE(v.prossegue);
    EXPECT_GE(v.contagemEsperada, 1); // a tiny file still counts one line
    EXPECT_EQ(tipo, QString("D"));
    EXPECT_TRUE(r.ui.textos().first().startsWith("Já existem dados deste município na base de dados.\r"));
    EXPECT_EQ(r.b->conta("DECLARACOES"), 2); // deleted in the capture's transaction, not yet committed
    r.tx->conclui();
    EXPECT_EQ(r.b->conta("DECLARACOES"), 1);
    // every table that carries the replaced declaration's number is clear of it
    for (const char *t : {"DEC_TOTAL_SN", "DEC_DET_TRANSF_MERC_INFRACAO", "DEC_DET_AMBULANTES", "DEC_VAF"}) {
        EXPECT_EQ(r.b->conta(t, "DEC_ID = 1"), 0) << t;
        EXPECT_EQ(r.b->conta(t, "DEC_ID = 2"), 1) << t;
    }
    EXPECT_EQ(r.b->conta("MUNIC_INDICES", "INDICE_CODIGO = 'P'"), 1);
    EXPECT_EQ(r.b->conta("MUNIC_INDICES", "INDICE_CODIGO = 'D'"), 0);
    EXPECT_EQ(r.b->conta("MUNIC_VAFA", "TIPOINDICE = 'P'"), 1);
}

TEST(ReturnPrecheck, TwoMunicipalitiesAskForEverythingAndNoChangesNothing)
{
    Retorno r;
    r.declaracao(1, "001");
    auto ctx = r.texto({"01001", "01002", "16002"});
    QString tipo;
    r.ui.enfileira(UserInterface::Nao);
    EXPECT_FALSE(VerificaRetorno(ctx, &tipo).prossegue);
    EXPECT_EQ(tipo, QString("P")); // the scan stopped at the second municipality
    EXPECT_TRUE(r.ui.textos().first().startsWith("Já existem dados de municípios na base de dados.\r"));
    EXPECT_EQ(r.b->conta("DECLARACOES"), 1);
    r.ui.enfileira(UserInterface::Sim);
    EXPECT_TRUE(VerificaRetorno(ctx, &tipo).prossegue);
    EXPECT_EQ(r.b->conta("DECLARACOES"), 1);
    r.tx->conclui();
    EXPECT_EQ(r.b->conta("DECLARACOES") + r.b->conta("DEC_TOTAL_SN"), 0);

    // a file with no record is refused before anything is asked or deleted
    auto vazio = r.texto({"", "   "});
    r.ui.limpa();
    try {
        VerificaRetorno(vazio, &tipo);
        ADD_FAILURE() << "an empty file was accepted";
    } catch (const OrbelError &e) {
        EXPECT_TRUE(e.message().contains("RT0019924.zip não contém nenhum registro"))
            << e.message().toStdString();
    }
    EXPECT_TRUE(r.ui.textos().isEmpty());
    QFile::remove(DiretorioTemp() + "PT0019924.txt");
    r.ui.limpa();
    EXPECT_THROW(VerificaRetorno(vazio, &tipo), OrbelError);
    EXPECT_TRUE(r.ui.textos().first().endsWith("PT0019924.txt não existe!"));
}
