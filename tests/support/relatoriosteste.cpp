#include "support/relatoriosteste.h"
#include "support/moduloteste.h"

#include "data/executasql.h"
#include "reports/exportacsv.h"
#include "shell/win1252.h"

#include <QFile>

namespace
{
const QDate d(int dia, int mes, int ano = 2024)
{
    return QDate(ano, mes, dia);
}
} // namespace

void RelatoriosTeste::ativo(TdmPrincipal &dm, const QString &ie, const QString &munic, const QString &nome,
                            const QString &obrigado, const QString &contador, const QVariant &vlAdicAnt,
                            const QString &cnae, const QString &cpf)
{
    ExecutaSql(
        dm.MainConnection(),
        "INSERT INTO ATIVOS (IE, MUNIC_CODIGO, NOMECOMER, OBRIGADO, NOMCONTAD, CGCCONTAD, CPFCONTAD, "
        "ENDCONTADOR, DDDCONTAD, TELEFCONTAD, RAMALCONTAD, REGRECATU, CNAEF_ID, DESMEMBRAMENTO, VLADICANT, "
        "CNPJ) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {ie, munic, nome, obrigado, contador, QString("12345678000199"), cpf, QString("RUA DAS FLORES, 10"),
         QString("027"), QString("33334444"), QString("12"), QString("01"), cnae, QString("00"), vlAdicAnt,
         QString("987654320001") + ie.right(2)});
}

void RelatoriosTeste::declaracao(TdmPrincipal &dm, int id, const QString &munic, const QString &ie,
                                 const QString &nome, const QString &situacao, const QString &resp,
                                 QDate primeira, QDate entrega, QTime hora, const QVariant &vaf)
{
    ExecutaSql(
        dm.MainConnection(),
        "INSERT INTO DECLARACOES (DEC_ID, MUNIC_CODIGO, DEC_IE, DEC_EXERCICIO, DEC_NOME, DEC_SITUACAO, "
        "RESP_NOME, RESP_DDD, RESP_TELEFONE, DEC_PRIM_ENTREGA, DEC_ENTREGA_DATA, DEC_ENTREGA_HORA, "
        "DEC_SUBSTITUICAO, DEC_PROTOCOLO) VALUES (?, ?, ?, 2023, ?, ?, ?, '027', '33330001', ?, ?, ?, 'N', "
        "?)",
        {id, munic, ie, nome, situacao, resp, primeira, entrega, hora,
         QString("P%1").arg(id, 6, 10, QChar('0'))});
    if (vaf.isValid())
        ExecutaSql(dm.MainConnection(), "INSERT INTO DEC_VAF (DEC_ID, TOTAL_GERAL_VAF) VALUES (?, ?)",
                   {id, vaf});
}

void RelatoriosTeste::historico(TdmPrincipal &dm, int id, int decId, const QString &situacao, QDate data,
                                QTime hora, double vaf, const QString &erros, const QString &protocolo)
{
    ExecutaSql(
        dm.MainConnection(),
        "INSERT INTO HISTORICO (HISTORICO_ID, DEC_ID, HIST_EXERCICIO, HIST_PROTOCOLO, HIST_DATA, HIST_HORA, "
        "HIST_SUBSTITUI, HIST_VAF, HIST_ERROS, HIST_SITUACAO) VALUES (?, ?, 2023, ?, ?, ?, 'S', ?, ?, ?)",
        {id, decId, protocolo, data, hora, vaf, erros, situacao});
}

RelatoriosTeste::RelatoriosTeste(bool comDados)
{
    inicia();
    dm->GravaParametro("DATALIMITE_PROVISORIO", "15/03/2024");
    dm->GravaParametro("DATALIMITE_DEFINITIVO", "30/06/2024");
    if (!comDados)
        return;
    TdmPrincipal &m = *dm;
    const QVariant nulo = QVariant(QMetaType(QMetaType::Double));
    const QTime dez(10, 0);
    // accepted, first delivered on the provisional limit day
    declaracao(m, 1, "001", "0010000001", "ALFA COMERCIO LTDA", "E", "CONTADOR A", d(15, 3), d(15, 3), dez,
               1234.5);
    declaracao(m, 2, "001", "0010000002", "BETA; INDUSTRIA", "E", "CONTADOR A", d(10, 2), d(10, 2), dez, 0.0);
    declaracao(m, 3, "001", "0010000003", "GAMA SÃO JOÃO", "E", "CONTADOR B", d(1, 3), d(5, 3), dez, -87.25);
    // late: after the definitive limit, without a VAF row
    declaracao(m, 4, "001", "0010000004", "DELTA ME", "E", "CONTADOR B", d(1, 7), d(1, 7), dez, QVariant());
    // on the definitive limit day
    declaracao(m, 5, "001", "0010000005", "EPSILON", "E", "CONTADOR C", d(30, 6), d(30, 6), dez, 1000000.0);
    // two refusals and no acceptance
    declaracao(m, 6, "001", "0010000006", "ZETA", "R", "CONTADOR A", d(2, 2), d(3, 2), dez, QVariant());
    historico(m, 61, 6, "R", d(2, 2), QTime(9, 15), 150, "01 05", "R00061");
    historico(m, 62, 6, "R", d(3, 2), QTime(14, 5), -20.5, "07", "R00062");
    // accepted at 10:00 on 10/03; refused substitutions later that day, earlier that day, two days on
    declaracao(m, 7, "001", "0010000007", "ETA", "E", "CONTADOR C", d(10, 3), d(10, 3), dez, 500.0);
    historico(m, 71, 7, "E", d(10, 3), dez, 500, "", "E00071");
    historico(m, 72, 7, "R", d(10, 3), QTime(11, 30), 510, "03", "R00072");
    historico(m, 73, 7, "R", d(10, 3), QTime(9, 0), 490, "04", "R00073");
    historico(m, 74, 7, "R", d(12, 3), QTime(8, 0), 520, "02 03", "R00074");
    // accepted, VAF row with a null total
    declaracao(m, 8, "001", "0010000011", "IOTA", "E", "CONTADOR C", d(1, 2), d(1, 2), dez, nulo);
    declaracao(m, 10, "001", "0010000012", "KAPPA", "E", "CONTADOR B", d(15, 8), d(20, 8), dez, 2500.75);
    // the registration omitted in 001 declared twice in 002
    declaracao(m, 91, "002", "0010000009", "PI LTDA", "E", "CONTADOR D", d(1, 3), d(1, 3), dez, 10.0);
    declaracao(m, 92, "002", "0010000009", "PI LTDA", "E", "CONTADOR D", d(2, 3), d(2, 3), dez, 20.0);

    ativo(m, "0010000001", "001", "ALFA COMERCIO LTDA", "S", "JOÃO CONTADOR", 1234.5);
    ativo(m, "0010000008", "001", "OMEGA SERVIÇOS", "S", "MARIA CONTADORA", QVariant(), "99");
    ativo(m, "0010000009", "001", "PI LTDA", "S", "JOÃO CONTADOR", -10.0, "46", "55566677788");
    ativo(m, "0010000010", "001", "RO NAO OBRIGADO", "N", "JOÃO CONTADOR", 5.0);
    ativo(m, "0020000001", "002", "SIGMA", "S", "JOÃO CONTADOR", 5.0);
}

QString RelatoriosTeste::pastaDoDia() const
{
    return PastaRelatoriosDoDia();
}

QByteArray RelatoriosTeste::bytes(const QString &nome) const
{
    QFile f(pastaDoDia() + nome);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString RelatoriosTeste::csv(const QString &nome) const
{
    return Win1252::decode(bytes(nome));
}
