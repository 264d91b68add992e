#pragma once

#include "data/tdmprincipal.h"
#include "shell/scriptedui.h"
#include "support/moduloteste.h"
#include "support/temphome.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <QTime>
#include <QVariant>

#include <memory>

// A seeded home holding a small hand-made set of declarations, history rows and active taxpayers of
// municipality 001 (and two declarations in 002), built so that each status list has its edge cases:
// a first delivery on each limit date, VAF zero, null and negative, two refusals, refused substitutions
// of the same day before and after the accepted one, a taxpayer omitted in 001 whose declarations are
// in 002, a name holding ";" and accented names. Limits: provisional 15/03/2024, definitive 30/06/2024.
struct RelatoriosTeste : ModuloTeste {

    explicit RelatoriosTeste(bool comDados = true);

    // The CSV file of today's day folder, decoded from Windows-1252; its raw bytes.
    QString csv(const QString &nome) const;
    QByteArray bytes(const QString &nome) const;
    QString pastaDoDia() const;

    // A taxpayer of ATIVOS; a declaration with its VAF (no DEC_VAF row when `vaf` is invalid, a null
    // TOTAL_GERAL_VAF when it is a null double) and its history rows.
    static void ativo(TdmPrincipal &dm, const QString &ie, const QString &munic, const QString &nome,
                      const QString &obrigado, const QString &contador, const QVariant &vlAdicAnt,
                      const QString &cnae = QStringLiteral("46"),
                      const QString &cpf = QStringLiteral("11122233344"));
    static void declaracao(TdmPrincipal &dm, int id, const QString &munic, const QString &ie,
                           const QString &nome, const QString &situacao, const QString &resp, QDate primeira,
                           QDate entrega, QTime hora, const QVariant &vaf);
    static void historico(TdmPrincipal &dm, int id, int decId, const QString &situacao, QDate data,
                          QTime hora, double vaf, const QString &erros, const QString &protocolo);
};

#include <ostream>
// Failures show report texts as text.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
