#include "capture/importaativos.h"

#include "capture/camposfixos.h"
#include "capture/linhaativo.h"
#include "data/executasql.h"
#include "data/insercaoemlote.h"
#include "data/tdmprincipal.h"
#include "maintenance/esvaziabase.h"
#include "shell/formatacao.h"
#include "shell/leitorlinhas.h"
#include "shell/orbelerror.h"
#include "shell/tspprogress.h"
#include "shell/userinterface.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <set>

namespace
{

const QString kInsert = QStringLiteral(
    "INSERT INTO ATIVOS (MUNIC_CODIGO, IE, CNAEF_ID, DESMEMBRAMENTO, CODUF, NOMECOMER, NRCRC, UFCRC, "
    "CPFCONTAD, "
    "CGCCONTAD, ENDERECO, NOMCONTAD, DDDCONTAD, TELEFCONTAD, RAMALCONTAD, VLADICANT, OUTENTANT, REGRECATU, "
    "ENDCONTADOR, UFCONTAD, NOMEMUNICCONTAD, BAIRROCONTAD, CEPCONTAD, BAIRROCONTRIBUINTE, MAILRESPONSAVEL, "
    "MUNIC_ANTERIOR_CONTRIB, ENTRADAANT, SAIDAANT, OBRIGADO, CNPJ, CEP ) VALUES (:MUNIC_CODIGO, :IE, "
    ":CNAEF_ID, "
    ":DESMEMBRAMENTO, :CODUF, :NOMECOMER, :NRCRC, :UFCRC, :CPFCONTAD, :CGCCONTAD, :ENDERECO, :NOMCONTAD, "
    ":DDDCONTAD, :TELEFCONTAD, :RAMALCONTAD, :VLADICANT, :OUTENTANT, :REGRECATU, :ENDCONTADOR, :UFCONTAD, "
    ":NOMEMUNICCONTAD, :BAIRROCONTAD, :CEPCONTAD, :BAIRROCONTRIBUINTE, :MAILRESPONSAVEL, "
    ":MUNIC_ANTERIOR_CONTRIB, "
    ":ENTRADAANT, :SAIDAANT, :OBRIGADO, :CNPJ , :CEP)");

QString agora()
{
    return Formatacao::dataHora(QDateTime::currentDateTime());
}

bool pergunta(UserInterface &ui, const QString &texto)
{
    return ui.mensagem(QString(), texto, UserInterface::Icone::Pergunta,
                       UserInterface::Botoes(UserInterface::Sim) | UserInterface::Nao) == UserInterface::Sim;
}

} // namespace

void ExcluiAtivosMunicipio(TdmPrincipal &dm, const QString &municipio)
{
    dm.MostraAguarde(QStringLiteral("Excluindo ativos do município..."));
    try {
        ExecutaSql(dm.MainConnection(), QStringLiteral("DELETE FROM ATIVOS WHERE MUNIC_CODIGO = ?"),
                   {municipio});
    } catch (...) {
        dm.MostraAguarde(QString());
        throw;
    }
    dm.MostraAguarde(QString());
}

bool ExisteAtivoCNPJ(TdmPrincipal &dm, const QString &cnpj)
{
    try {
        QSqlQuery q =
            ExecutaSql(dm.MainConnection(), QStringLiteral("SELECT * FROM ATIVOS WHERE CNPJ = ?"), {cnpj});
        return q.next();
    } catch (const std::exception &e) {
        throw OrbelError(QStringLiteral("Ocorreu um erro ao executar o sistema\r") + mensagemDe(e));
    }
}

Verificacao VerificaAtivos(ContextoCaptura &ctx)
{
    const QString arquivo = ArquivoTextoCaptura(ctx.arquivo);
    if (!QFileInfo(arquivo).isFile()) {
        ctx.ui.erro(QString(), QStringLiteral("Arquivo ") + arquivo + QStringLiteral(" não existe!"));
        return {false, 0};
    }
    // an estimate of 466 bytes a line, never below one line: a small file must not fail for its size
    Verificacao v{true, int(std::max<qint64>(1, TdmPrincipal::TamanhoArquivo(arquivo) / 466))};

    QStringList municipios;
    {
        ctx.dm.MostraAguarde(QStringLiteral("Lendo arquivo de ativos..."));
        struct Fecha {
            TdmPrincipal &dm;
            ~Fecha() { dm.MostraAguarde(QString()); }
        } fecha{ctx.dm};
        LeitorLinhas leitor(arquivo);
        QString linha;
        while (municipios.size() < 2 && leitor.proxima(linha)) {
            const QStringView l = CamposFixos::aparaLinha(linha);
            if (l.isEmpty())
                continue;
            const QString m = LinhaAtivo::municipio(l);
            if (!municipios.contains(m))
                municipios << m;
        }
    }
    const QSqlDatabase db = ctx.dm.MainConnection();
    if (municipios.size() == 1) {
        QSqlQuery q = ExecutaSql(
            db, QStringLiteral("SELECT COUNT(ATIVOS.IE) FROM ATIVOS WHERE ATIVOS.MUNIC_CODIGO = ?"),
            {municipios.first()});
        if (q.next() && q.value(0).toInt() > 0) {
            q.finish();
            if (!pergunta(ctx.ui, QStringLiteral("Já existem dados deste município na base de dados.\r"
                                                 "Deseja apagá-los e importar os dados novamente?")))
                return {false, v.contagemEsperada};
            ExcluiAtivosMunicipio(ctx.dm, municipios.first());
        }
    } else if (municipios.size() == 2) {
        QSqlQuery q = ExecutaSql(db, QStringLiteral("SELECT COUNT(ATIVOS.IE) FROM ATIVOS"));
        if (q.next() && q.value(0).toInt() > 0) {
            q.finish();
            if (!pergunta(ctx.ui, QStringLiteral("Já existem dados de municípios na base de dados.\r"
                                                 "Deseja apagá-los e importar os dados novamente?")))
                return {false, v.contagemEsperada};
            EsvaziaBase(ctx.dm, QStringLiteral("A"));
        }
    }
    return v;
}

ResultadoCarga ProgressoImportaAtivosExecute(ContextoCaptura &ctx, TSPProgress &progresso)
{
    TConfigApp &config = ctx.dm.ConfigApp();
    const QString arquivo = ArquivoTextoCaptura(ctx.arquivo);
    if (!QFileInfo(arquivo).isFile()) {
        ctx.ui.erro(QString(), QStringLiteral("Arquivo ") + arquivo + QStringLiteral(" não existe!"));
        return ResultadoCarga::Falhou;
    }
    const QDateTime inicio = QDateTime::currentDateTime();
    if (config.VersaoTeste)
        config.GravaLog(QStringLiteral("Captura de Ativos. Hora de início: ") + agora());

    const QSqlDatabase db = ctx.dm.MainConnection();
    // one lookup a line, in memory: the CNPJs stored now and the ones inserted by this run
    QSet<QString> cnpjs;
    {
        QSqlQuery q = ExecutaSql(db, QStringLiteral("SELECT CNPJ FROM ATIVOS WHERE CNPJ IS NOT NULL"));
        while (q.next())
            cnpjs.insert(q.value(0).toString());
    }

    ResultadoCarga resultado = ResultadoCarga::Completa;
    std::set<QString> municipios;
    {
        TransacaoEmLote transacao(db);
        InsercaoEmLote insercao(transacao, kInsert);
        std::array<int, LinhaAtivo::TotalColunas> indices;
        for (int c = 0; c < LinhaAtivo::TotalColunas; ++c)
            indices[c] = insercao.indice(QLatin1String(LinhaAtivo::nome(c)));

        LeitorLinhas leitor(arquivo);
        QString bruta;
        while (!ctx.pedidoParada && leitor.proxima(bruta)) {
            ctx.ui.processaEventos();
            const QStringView linha = CamposFixos::aparaLinha(bruta);
            if (!linha.isEmpty()) {
                LinhaAtivo a;
                try {
                    a = LinhaAtivo::le(linha);
                    municipios.insert(a[LinhaAtivo::MUNIC_CODIGO]);
                    for (int c = 0; c < LinhaAtivo::TotalColunas; ++c) {
                        if (LinhaAtivo::numerica(c))
                            insercao.setTextoOuNulo(indices[c], a.valores[c]);
                        else
                            insercao.setTexto(indices[c], a.valores[c]);
                    }
                    if (!cnpjs.contains(a[LinhaAtivo::CNPJ])) {
                        insercao.executa();
                        cnpjs.insert(a[LinhaAtivo::CNPJ]);
                    }
                } catch (const EAbortProgress &) {
                    throw;
                } catch (const std::exception &e) {
                    // what was written before this line stays
                    transacao.confirma();
                    QString diagnostico = QStringLiteral(
                        "GENTILEZA ENVIAR O PRINT COM ESTE ERRO PARA O SETOR DE DESENVOLVIMENTO.\n\r");
                    for (int c = 0; c < LinhaAtivo::TotalColunas; ++c) {
                        if (c)
                            diagnostico += QStringLiteral("\n\r");
                        diagnostico +=
                            QLatin1String(LinhaAtivo::nome(c)) + QStringLiteral("   -   ") + a.valores[c];
                    }
                    ctx.ui.mensagem(QString(), diagnostico, UserInterface::Icone::Nenhum, UserInterface::Ok);
                    const QString log =
                        agora() + QStringLiteral(" - ") +
                        QStringLiteral("Importação de ativos, linha do IE ") + a[LinhaAtivo::IE] +
                        QStringLiteral(" [{D8D317D6-7DFF-488A-BF74-D04F21F48115}] - ") + mensagemDe(e);
                    config.GravaLog(log);
                    ctx.ui.mensagem(QString(), log, UserInterface::Icone::Nenhum, UserInterface::Ok);
                    ctx.ui.erro(QString(),
                                CamposFixos::campo(linha, 1, 13).trimmed().toString() + u' ' + mensagemDe(e));
                    ctx.pedidoParada = true;
                    resultado = ResultadoCarga::Falhou;
                    continue;
                }
            }
            progresso.Increment(1);
        }
        if (resultado == ResultadoCarga::Completa && ctx.pedidoParada)
            resultado = ResultadoCarga::Interrompida;
        transacao.confirma();
    }

    for (const QString &m : municipios) {
        QSqlQuery q = ExecutaSql(
            db, QStringLiteral("SELECT MUNIC_CODIGO FROM MUNIC_TOTAIS WHERE (MUNIC_CODIGO = ?)"), {m});
        const bool existe = q.next();
        q.finish();
        if (!existe)
            ExecutaSql(db, QStringLiteral("INSERT INTO MUNIC_TOTAIS (MUNIC_CODIGO) VALUES (?) "), {m});
    }
    if (ctx.gravaUltimoArquivo)
        ctx.gravaUltimoArquivo(0, QFileInfo(ctx.arquivo).fileName());
    if (config.VersaoTeste) {
        config.GravaLog(QStringLiteral("Captura de ativos. Hora de término: ") + agora());
        const qint64 ms = inicio.msecsTo(QDateTime::currentDateTime());
        config.GravaLog(QStringLiteral("Tempo gasto (Ativos): ") + Formatacao::duracao(ms));
    }
    return resultado;
}
