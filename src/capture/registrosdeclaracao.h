#pragma once

#include "capture/conversoesretorno.h"

#include <QString>
#include <QStringView>
#include <QVariant>
#include <QVector>
#include <functional>
#include <optional>

class ClientDataSet;

// The records that make up one declaration in the return file (0A, 0B, 01, 02, 03, 04, 06, 07,
// 08, 09, 10), read into the statement parameters they feed. Reading needs no database; the
// return import binds what is read to its prepared statements.
namespace RegistrosDeclaracao
{

// One value for one parameter of one statement (named by its table).
struct Atribuicao {
    QString tabela;
    QString parametro;
    QVariant valor;
};
using Atribuicoes = QVector<Atribuicao>;

// The last two characters of a trimmed line.
QString Ultimos2(QStringView linha);

// Every reader takes the trimmed line.
Atribuicoes Registro0A(QStringView linha);
Atribuicoes Registro0B(QStringView linha);
// Also the declaration's regime code (last 2) in `regime`.
Atribuicoes Registro01(QStringView linha, const ConversoesRetorno::AvisoData &aviso, QString *regime);

// Previous-year values carried from record 02 to the VAF record, as they stand in the file.
struct ValoresAnteriores {
    QString entradas; // E
    QString saidas;   // S
    QString outras;   // O
    QString vaf;      // V
};
Atribuicoes Registro02(QStringView linha, ValoresAnteriores *anteriores);

// Field code of record 03 -> destination column (CAMPOS.CAMPO_DESTINO by RETORNO); empty when
// CAMPOS has no such code.
using BuscaCampo = std::function<QString(const QString &codigo)>;
// The lookup through the data module's CAMPOS set (exact match on RETORNO).
BuscaCampo BuscaCampoEm(const ClientDataSet &campos);
// `regime` is the regime code of the last record 01 as text.
Atribuicoes Registro03(QStringView linha, const BuscaCampo &busca, const QString &regime);
Atribuicoes Registro04(QStringView linha);
// Unlisted numeric codes are reported through `avisoCodigo` with the three characters of the code.
Atribuicoes Registro06(QStringView linha, const QString &regime,
                       const std::function<void(const QString &)> &avisoCodigo);
Atribuicoes Registro07(QStringView linha, const ValoresAnteriores &anteriores);
Atribuicoes Registro08(QStringView linha);
Atribuicoes Registro09(QStringView linha);

// A processing event of the declaration.
struct Evento {
    QString municipio;
    int exercicio = 0;      // DEC_EXERCICIO (0 when not a number)
    QString exercicioTexto; // HIST_EXERCICIO
    QDate entrega;
    QTime horaEntrega;
    QDate processamento;
    QString damef; // DAMEF_CODIGO, HIST_ROTEIRO
    QString protocolo;
    QString regimeFinal;  // HIST_REGFINAL
    QString tipo;         // TIPO_CONTRIB_CODIGO, HIST_TIPO
    QString substituicao; // HIST_SUBSTITUI as it stands; DEC_SUBSTITUICAO is its S/N flag
    QString entradas, outrasEntradas, saidas, vaf; // handed to the database as text
    QString respCgcCpf;
    QString erros[5]; // "00" means no error
    QString validacao;
    QString regime; // last 2
};
Evento Registro10(QStringView linha, const ConversoesRetorno::AvisoData &aviso);
// Error codes of a record 10: whether one refuses the declaration (any slot), and whether one
// refuses the event's history row (its first slot).
bool RecusaDeclaracao(const QString &codigo);
bool RecusaHistorico(const QString &codigo);

} // namespace RegistrosDeclaracao
