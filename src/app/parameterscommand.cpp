#include "app/parameterscommand.h"

#include "app/subcomando.h"

#include "data/parametrossistema.h"
#include "data/tdmprincipal.h"
#include "shell/orbelerror.h"
#include "shell/scriptedui.h"

#include <cstdio>
#include <optional>

namespace
{

// The date pickers of the window take whole dates only: day, month and four-digit year.
std::optional<QDate> leData(const QString &texto)
{
    const QDate d = QDate::fromString(texto, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        return std::nullopt;
    return d;
}
} // namespace

Subcomando SubcomandoParametros()
{
    Subcomando s;
    s.nome = QStringLiteral("parameters");
    s.resumo = QStringLiteral("mostra ou grava o ano base e as datas limite dos índices");
    s.descricao = QStringLiteral(
        "Sem opções mostra os parâmetros gravados. Com opções grava-os com as verificações e as\n"
        "mensagens da janela de parâmetros; informar o ano base confirma a sua alteração.");
    s.opcoes = {{QStringLiteral("base-year"), QStringLiteral("ano base (de 2005 ao ano passado)"),
                 QStringLiteral("AAAA")},
                {QStringLiteral("limit-provisional"), QStringLiteral("data limite do índice provisório"),
                 QStringLiteral("dd/mm/aaaa")},
                {QStringLiteral("limit-definitive"), QStringLiteral("data limite do índice definitivo"),
                 QStringLiteral("dd/mm/aaaa")}};
    s.executa = [](const QCommandLineParser &p) {
        QString ano;
        std::optional<QDate> provisorio, definitivo;
        if (p.isSet(QStringLiteral("base-year"))) {
            ano = p.value(QStringLiteral("base-year"));
            bool ok = false;
            ano.toInt(&ok);
            if (!ok || ano.size() != 4)
                throw ErroDeUso(QStringLiteral("Ano base inválido: ") + ano);
        }
        for (const char *nome : {"limit-provisional", "limit-definitive"}) {
            if (!p.isSet(QLatin1String(nome)))
                continue;
            const QString texto = p.value(QLatin1String(nome));
            const std::optional<QDate> d = leData(texto);
            if (!d)
                throw ErroDeUso(QStringLiteral("'%1' não é uma data válida").arg(texto));
            (QLatin1String(nome) == QLatin1String("limit-provisional") ? provisorio : definitivo) = d;
        }
        return ExecutaParametros(ano, provisorio, definitivo);
    };
    return s;
}

int ExecutaParametros(const QString &ano, std::optional<QDate> provisorio, std::optional<QDate> definitivo,
                      const QDate &hoje)
{
    ScriptedUi ui;
    ui.setEco(stdout, stderr);
    // naming the year on the command line is the confirmation the window asks for
    ui.setRespostaPadrao(UserInterface::Sim);
    TdmPrincipal dm(ui);
    try {
        dm.Inicia();
        if (!ano.isEmpty() || provisorio || definitivo) {
            const QStringList anos = ParametrosSistema::AnosDisponiveis(hoje);
            if (!ano.isEmpty() && !anos.contains(ano)) {
                EscreveLinha(
                    stderr,
                    QStringLiteral("O ano base deve estar entre %1 e %2.").arg(anos.first(), anos.last()));
                return 1;
            }
            const QString escolhido = ano.isEmpty() ? dm.LeParametro(QStringLiteral("ANOEXERCICIO")) : ano;
            ParametrosSistema::Grava(dm, ui, escolhido, provisorio, definitivo);
            if (!ParametrosSistema::PodeFechar(dm, ui))
                return 1;
        }
        EscreveLinha(stdout, QStringLiteral("Ano base : ") + dm.LeParametro(QStringLiteral("ANOEXERCICIO")));
        EscreveLinha(stdout, QStringLiteral("Data limite - Índice provisório : ") +
                                 dm.LeParametro(QStringLiteral("DATALIMITE_PROVISORIO")));
        EscreveLinha(stdout, QStringLiteral("Data limite - Índice definitivo : ") +
                                 dm.LeParametro(QStringLiteral("DATALIMITE_DEFINITIVO")));
        return 0;
    } catch (const ProgramaEncerrado &fim) {
        return fim.codigo;
    } catch (const std::exception &e) {
        ui.mostraErro(mensagemDe(e));
        return 1;
    }
}
