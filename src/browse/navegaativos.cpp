#include "browse/navegaativos.h"

#include "browse/pesquisa.h"
#include "data/executasql.h"
#include "data/tdmprincipal.h"

namespace
{
const QString kOrdem = QStringLiteral(" ORDER BY ATIVOS.MUNIC_CODIGO, ATIVOS.IE, ATIVOS.NOMECOMER ");
// The inner join of taxpayers and municipalities, written so that the server reads ATIVOS first,
// in the order of its index, instead of sorting the whole table before the first row: the
// municipality's key is never NULL, so the rows are those of the inner join.
const QString kJuncao = QStringLiteral(
    "SELECT ATIVOS.*, MUNICIPIOS.MUNIC_NOME FROM ATIVOS LEFT JOIN MUNICIPIOS ON "
    "(MUNICIPIOS.MUNIC_CODIGO = ATIVOS.MUNIC_CODIGO) WHERE MUNICIPIOS.MUNIC_CODIGO IS NOT NULL");
} // namespace

const QStringList NavegaAtivos::NomesCampos = {QStringLiteral("CNPJ"), QStringLiteral("Inscrição Estadual"),
                                               QStringLiteral("Nome Comercial"),
                                               QStringLiteral("Nome Município")};

NavegaAtivos::NavegaAtivos(TdmPrincipal &dm, UserInterface &ui) : m_dm(dm), m_ui(ui)
{
}

// The data module's statement, every taxpayer by municipality name and IE, sorts two tables
// together: the server would sort the whole of ATIVOS before the first row. The same rows in the
// same order come from a block that takes the names in order and sorts only each name's
// taxpayers. (": NOME_" keeps its blank: the driver would take ":NOME_" for a parameter.)
QString NavegaAtivos::sqlPorMunicipio() const
{
    QSqlQuery q = ExecutaSql(m_dm.MainConnection(),
                             QStringLiteral("SELECT RDB$FIELD_NAME FROM RDB$RELATION_FIELDS WHERE "
                                            "RDB$RELATION_NAME = 'ATIVOS' ORDER BY RDB$FIELD_POSITION"));
    QStringList saidas, colunas, variaveis;
    while (q.next()) {
        const QString c = q.value(0).toString().trimmed();
        saidas << c + QStringLiteral(" TYPE OF COLUMN ATIVOS.") + c;
        colunas << QStringLiteral("A.") + c;
        variaveis << c;
    }
    saidas << QStringLiteral("MUNIC_NOME TYPE OF COLUMN MUNICIPIOS.MUNIC_NOME");
    colunas << QStringLiteral("M.MUNIC_NOME");
    variaveis << QStringLiteral("MUNIC_NOME");
    return QStringLiteral(
               "EXECUTE BLOCK RETURNS (%1) AS\n"
               "DECLARE NOME_ TYPE OF COLUMN MUNICIPIOS.MUNIC_NOME;\n"
               "BEGIN\n"
               "  FOR SELECT DISTINCT MUNIC_NOME FROM MUNICIPIOS ORDER BY MUNIC_NOME INTO NOME_ DO\n"
               "    FOR SELECT %2 FROM MUNICIPIOS M JOIN ATIVOS A ON (A.MUNIC_CODIGO = M.MUNIC_CODIGO)\n"
               "      WHERE M.MUNIC_NOME IS NOT DISTINCT FROM : NOME_ ORDER BY A.IE\n"
               "      INTO %3 DO SUSPEND;\n"
               "END")
        .arg(saidas.join(u','), colunas.join(u','), variaveis.join(u','));
}

void NavegaAtivos::abre()
{
    ClientDataSet &a = m_dm.cdsAtivos;
    if (a.active())
        return;
    if (a.commandText() == TdmPrincipal::SqlAtivos)
        a.setCommandText(sqlPorMunicipio());
    a.open(m_dm.MainConnection());
}

QString NavegaAtivos::titulo() const
{
    QSqlQuery q = ExecutaSql(m_dm.MainConnection(), QStringLiteral("SELECT COUNT(*) FROM ATIVOS"));
    const qlonglong n = q.next() ? q.value(0).toLongLong() : 0;
    return QStringLiteral("Ativos (%1 REGISTROS)").arg(n);
}

bool NavegaAtivos::pesquisa(Campo campo, const QString &texto, bool pressionado)
{
    const Pesquisa p = ClassificaPesquisa(texto, m_ui);
    if (p == Pesquisa::Refusada)
        return pressionado;
    ClientDataSet &a = m_dm.cdsAtivos;
    a.close();
    a.limpaParametros();
    if (p == Pesquisa::Todos) {
        a.setCommandText(kJuncao + kOrdem);
    } else {
        // the text is bound: an apostrophe is searched for as it stands
        static const char *const colunas[] = {"ATIVOS.CNPJ", "ATIVOS.IE", "ATIVOS.NOMECOMER",
                                              "MUNICIPIOS.MUNIC_NOME"};
        const CondicaoPrefixo c = Prefixo(QLatin1String(colunas[campo]), texto);
        if (campo == NomeMunicipio) // few municipalities: their taxpayers are found by the municipality
            a.setCommandText(
                QStringLiteral("SELECT MUNICIPIOS.MUNIC_NOME, ATIVOS.* FROM ATIVOS,MUNICIPIOS WHERE ") +
                c.sql + QStringLiteral(" AND (ATIVOS.MUNIC_CODIGO = MUNICIPIOS.MUNIC_CODIGO)") + kOrdem);
        else
            a.setCommandText(kJuncao + QStringLiteral(" AND ") + c.sql + kOrdem);
        a.setParametro(QStringLiteral("TEXTO"), c.valor);
    }
    a.open(m_dm.MainConnection());
    return p == Pesquisa::Prefixo;
}

void NavegaAtivos::fecha()
{
    m_dm.cdsAtivos.close();
}
