#pragma once

#include "capture/registrosdeclaracao.h"

#include <QString>
#include <QStringView>
#include <memory>

class InsercaoEmLote;

// The Simples Nacional detail records (14, 15, 18 to 25) and the municipality-change and SIMEI
// records (35, 40): one object per record reads its fields at construction; storing binds them
// to the type's insert statement, which the import prepares once per type.
class TTipoRegistro
{
  public:
    TTipoRegistro(QStringView linha, double decId);
    virtual ~TTipoRegistro() = default;

    QString tipo() const { return m_tipo; }
    QString municipio() const { return m_municipio; }
    QString ie() const { return m_ie; }
    double decId() const { return m_decId; }

    // The text of the type's insert statement.
    virtual QString DefineSQL() const { return {}; }
    // Binds the fields to the statement prepared from DefineSQL().
    virtual void AtribuiParametros(InsercaoEmLote &) const {}
    // Binds and executes.
    void Grava(InsercaoEmLote &comando) const;

    // The record object of a line's type; null for types without a class.
    static std::unique_ptr<TTipoRegistro> Cria(QStringView linha, double decId);

  protected:
    QString m_tipo, m_municipio, m_ie;
    double m_decId;
};

// Amounts by municipality; 15, 18 to 22 differ only in their table.
class TTipoRegistro14 : public TTipoRegistro
{
  public:
    TTipoRegistro14(QStringView linha, double decId, const char *tabela = "DEC_DET_MERCADORIA_RURAL");
    QString DefineSQL() const override;
    void AtribuiParametros(InsercaoEmLote &c) const override;

  protected:
    QString m_tabela;
    QString m_municDetalhamento, m_municEstabelecimento, m_cnpj;
    double m_valorMunicipio = 0;
};

// The VAF of a Simples Nacional declaration, read from the record joined with the carried values.
class TTipoRegistro23 : public TTipoRegistro
{
  public:
    TTipoRegistro23(QStringView combinado, double decId);
    QString DefineSQL() const override;
    void AtribuiParametros(InsercaoEmLote &c) const override;
    // The record (trimmed) followed by V, O, E and S, 15 characters each.
    static QString Combina(QStringView registro, const RegistrosDeclaracao::ValoresAnteriores &a);

    QString m_munic;
    double m_totalVaf = 0, m_outrasEntradas = 0, m_vafAnterior = 0, m_entradasAnterior = 0,
           m_saidasAnterior = 0;
};

class TTipoRegistro24 : public TTipoRegistro
{
  public:
    TTipoRegistro24(QStringView linha, double decId);
    QString DefineSQL() const override;
    void AtribuiParametros(InsercaoEmLote &c) const override;
    double m_transferencia = 0, m_autoInfracao = 0;
};

class TTipoRegistro25 : public TTipoRegistro
{
  public:
    TTipoRegistro25(QStringView linha, double decId);
    QString DefineSQL() const override;
    void AtribuiParametros(InsercaoEmLote &c) const override;
    double m_valores[10] = {};
};

// A taxpayer that changed municipality; 40 (SIMEI) shares its layout.
class TTipoRegistro35 : public TTipoRegistro
{
  public:
    TTipoRegistro35(QStringView linha, double decId);
    QString DefineSQL() const override;
    void AtribuiParametros(InsercaoEmLote &c) const override;
    QString ObtemIE() const { return m_ie; }

  protected:
    virtual QString tabela() const { return QStringLiteral("VAF_MUDANCA_MUNIC"); }
    virtual QString prefixo() const { return QStringLiteral("VMM_"); }

  public:
    QString m_municEstabelecimento, m_nome, m_cnpj;
    QDate m_primeiraEntrega;
    double m_credito = 0;
};

class TTipoRegistro40 : public TTipoRegistro35
{
  public:
    using TTipoRegistro35::TTipoRegistro35;

  protected:
    QString tabela() const override { return QStringLiteral("DEC_SIMEI"); }
    QString prefixo() const override { return {}; }
};
