#pragma once

#include "capture/detalhespendentes.h"
#include "capture/registrosdeclaracao.h"

#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QTime>
#include <QVariant>
#include <map>

// What the return import knows of the declaration being read: its number (DEC_ID), the header
// fields gathered from records 0A, 0B, 01 and 02, the detail values pending until its first record
// 10, the values carried to its VAF records, and its situation as last written. It writes nothing:
// the import asks it what to write and hands that to the writing.
class DeclaracaoAtual
{
  public:
    // `proximo` is the number of the first declaration of the run; `historicos` the highest history
    // number already stored per declaration number (rows left by earlier runs).
    DeclaracaoAtual(double proximo, std::map<double, qint64> historicos, const QString &retornoCodigo);

    // The number the current records are written under.
    double decId() const { return m_atual; }
    // RETORNO_CODIGO of every declaration of the run.
    const QString &retornoCodigo() const { return m_retornoCodigo; }

    // A record 0A: a new declaration takes the next number; `campos` are the 0A's fields.
    void inicia(const RegistrosDeclaracao::Atribuicoes &campos);
    // Header fields of records 0B, 01 and 02, kept for the declaration's row.
    void guarda(const RegistrosDeclaracao::Atribuicoes &campos);
    // The fields of the declaration's row, by column name.
    const QHash<QString, QVariant> &cabecalho() const { return m_cabecalho; }
    // The declaration's row was written (record 02): the next declaration gets the next number.
    void declaracaoGravada();

    DetalhesPendentes &pendentes() { return m_pendentes; }
    RegistrosDeclaracao::ValoresAnteriores &anteriores() { return m_anteriores; }
    // The regime code of the last record 01 (written by its reader).
    QString &regime() { return m_regime; }
    // Records 14, 15 and 18 to 22 add their value (the field as it stands) to the carried other
    // entries, kept as text the way the VAF record of the Simples Nacional reads them.
    void somaOutrasEntradas(QStringView campo);

    // What one record 10 writes, in this order.
    struct Escrita {
        bool detalhes = false;            // the pending detail rows (first record 10 only)
        bool atualizacaoCompleta = false; // the declaration's row updated from the event, as "E"
        bool situacao = false;            // DEC_SITUACAO and DEC_PRIM_ENTREGA, unless already stored
        QString situacaoNova;             // the situation the update writes
        QDate primeiraEntrega;            // DEC_PRIM_ENTREGA of both updates
        qint64 historico = 0;             // HISTORICO_ID of the event's history row
    };
    // Takes a record 10 into the declaration's state and says what it writes. A refusal code in its
    // error slots makes the declaration "R" until an accepted event makes it "E"; once "E" it stays.
    Escrita evento(const RegistrosDeclaracao::Evento &e);

  private:
    void limpaCabecalho();
    void situacaoGravada(const QString &situacao);

    double m_proximo, m_atual;
    std::map<double, qint64> m_historicos;
    QString m_retornoCodigo;
    QHash<QString, QVariant> m_cabecalho;
    DetalhesPendentes m_pendentes;
    RegistrosDeclaracao::ValoresAnteriores m_anteriores;
    QString m_regime, m_situacao, m_ultimoRegimeCompleto;
    QDate m_primeiraEntrega;
    bool m_detalhesGravados = false;
    // the situation as the declaration's row holds it, to skip an update that changes nothing
    bool m_situacaoConhecida = false;
    QString m_situacaoNoBanco;
    QDate m_primeiraNoBanco;
    QElapsedTimer m_relogio;
    QDate m_hoje;
    QTime m_horaAtual;
};
