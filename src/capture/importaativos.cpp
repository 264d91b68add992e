#include "capture/importaativos.h"

#include "capture/camposfixos.h"
#include "capture/conferetipoarquivo.h"
#include "capture/linhaativo.h"
#include "data/aguarde.h"
#include "data/errodisco.h"
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

bool pergunta(UserInterface &ui, const QString &texto)
{
    return ui.mensagem(QString(), texto, UserInterface::Icone::Pergunta,
                       UserInterface::Botoes(UserInterface::Sim) | UserInterface::Nao) == UserInterface::Sim;
}

} // namespace

void ExcluiAtivosMunicipio(TransacaoEmLote &tx, TdmPrincipal &dm, const QString &municipio)
{
    const Aguarde aguarde(dm, QStringLiteral("Excluindo ativos do município..."));
    InsercaoEmLote c(tx, QStringLiteral("DELETE FROM ATIVOS WHERE MUNIC_CODIGO = ?"));
    c.setTexto(0, municipio);
    c.executa();
}

bool ExisteAtivoCNPJ(TdmPrincipal &dm, const QString &cnpj)
{
    try {
        QSqlQuery q =
            ExecutaSql(dm.MainConnection(), QStringLiteral("SELECT * FROM ATIVOS WHERE CNPJ = ?"), {cnpj});
        return q.next();
    } catch (const std::exception &e) {
        RelancaSeErroDisco(e);
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
    ConfereTipoArquivo(ctx.dm, arquivo, QFileInfo(ctx.arquivo).fileName(), false);
    // an estimate of 466 bytes a line, never below one line: a small file must not fail for its size
    Verificacao v{true, int(std::max<qint64>(1, TdmPrincipal::TamanhoArquivo(arquivo) / 466))};

    QStringList municipios;
    {
        const Aguarde aguarde(ctx.dm, QStringLiteral("Lendo arquivo de ativos..."));
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
            ExcluiAtivosMunicipio(ctx.tx(), ctx.dm, municipios.first());
        }
    } else if (municipios.size() == 2) {
        QSqlQuery q = ExecutaSql(db, QStringLiteral("SELECT COUNT(ATIVOS.IE) FROM ATIVOS"));
        if (q.next() && q.value(0).toInt() > 0) {
            q.finish();
            if (!pergunta(ctx.ui, QStringLiteral("Já existem dados de municípios na base de dados.\r"
                                                 "Deseja apagá-los e importar os dados novamente?")))
                return {false, v.contagemEsperada};
            // the clean-up's statement, in the capture's transaction: committed with the import
            const Aguarde aguarde(ctx.dm, QStringLiteral("Limpando base de dados..."));
            for (const QString &sql : ComandosEsvaziaBase(QStringLiteral("A"))) {
                InsercaoEmLote c(ctx.tx(), sql);
                c.executa();
            }
            ctx.esvaziouBase = true;
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
        config.GravaLog(QStringLiteral("Captura de Ativos. Hora de início: ") + Formatacao::agora());

    TransacaoEmLote &transacao = ctx.tx();
    // one lookup a line, in memory: the CNPJs stored now (the replaced ones already gone, in this
    // transaction) and the ones inserted by this run
    QSet<QString> cnpjs;
    {
        InsercaoEmLote q(transacao, QStringLiteral("SELECT CNPJ FROM ATIVOS WHERE CNPJ IS NOT NULL"));
        q.executa();
        while (q.proxima())
            cnpjs.insert(q.texto(0));
    }

    ResultadoCarga resultado = ResultadoCarga::Completa;
    std::set<QString> municipios;
    {
        InsercaoEmLote insercao(transacao, kInsert);
        std::array<int, LinhaAtivo::TotalColunas> indices;
        for (int c = 0; c < LinhaAtivo::TotalColunas; ++c)
            indices[c] = insercao.indice(QLatin1String(LinhaAtivo::nome(c)));

        LeitorLinhas leitor(arquivo);
        QString bruta;
        while (!ctx.pedidoParada && leitor.proxima(bruta)) {
            ctx.linhaAtual = leitor.numeroLinha();
            ctx.ui.processaEventos();
            const QStringView linha = CamposFixos::aparaLinha(bruta);
            if (!linha.isEmpty()) {
                ++ctx.registrosLidos;
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
                    // the log is on the full disk too, and the connection takes nothing more
                    RelancaSeErroDisco(e);
                    QString diagnostico = QStringLiteral(
                        "GENTILEZA ENVIAR O PRINT COM ESTE ERRO PARA O SETOR DE DESENVOLVIMENTO.\n\r");
                    for (int c = 0; c < LinhaAtivo::TotalColunas; ++c) {
                        if (c)
                            diagnostico += QStringLiteral("\n\r");
                        diagnostico +=
                            QLatin1String(LinhaAtivo::nome(c)) + QStringLiteral("   -   ") + a.valores[c];
                    }
                    ctx.ui.mensagem(QString(), diagnostico, UserInterface::Icone::Nenhum, UserInterface::Ok);
                    const QString ie = CamposFixos::campo(linha, 1, 13).trimmed().toString();
                    const QString log =
                        Formatacao::agora() + QStringLiteral(" - ") +
                        QStringLiteral("Importação de ativos, linha %1 do IE ").arg(leitor.numeroLinha()) +
                        a[LinhaAtivo::IE] + QStringLiteral(" [{D8D317D6-7DFF-488A-BF74-D04F21F48115}] - ") +
                        mensagemDe(e);
                    config.GravaLog(log);
                    ctx.ui.mensagem(QString(), log, UserInterface::Icone::Nenhum, UserInterface::Ok);
                    // nothing of this capture stays: the flow rolls it back
                    ctx.ui.erro(QString(), ie + u' ' + mensagemDe(e) + QStringLiteral("\r\n") +
                                               DescreveLinha(leitor.numeroLinha(), QString(), ie) + u' ' +
                                               BancoNaoAlterado());
                    ctx.pedidoParada = true;
                    resultado = ResultadoCarga::Falhou;
                    continue;
                }
            }
            progresso.Increment(1);
        }
        if (resultado == ResultadoCarga::Completa && ctx.pedidoParada)
            resultado = ResultadoCarga::Interrompida;
    }

    // only a file read to its end is kept, so only then its municipalities get their totals row
    if (resultado == ResultadoCarga::Completa) {
        InsercaoEmLote totais(
            transacao, QStringLiteral("INSERT INTO MUNIC_TOTAIS (MUNIC_CODIGO) SELECT CAST(? AS VARCHAR(3)) "
                                      "FROM RDB$DATABASE WHERE NOT EXISTS (SELECT MUNIC_CODIGO FROM "
                                      "MUNIC_TOTAIS WHERE MUNIC_CODIGO = ?)"));
        for (const QString &m : municipios) {
            totais.setTexto(0, m);
            totais.setTexto(1, m);
            totais.executa();
        }
    }
    if (ctx.gravaUltimoArquivo)
        ctx.gravaUltimoArquivo(0, QFileInfo(ctx.arquivo).fileName());
    if (config.VersaoTeste) {
        config.GravaLog(QStringLiteral("Captura de ativos. Hora de término: ") + Formatacao::agora());
        const qint64 ms = inicio.msecsTo(QDateTime::currentDateTime());
        config.GravaLog(QStringLiteral("Tempo gasto (Ativos): ") + Formatacao::duracao(ms));
    }
    return resultado;
}
