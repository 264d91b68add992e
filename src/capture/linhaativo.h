#pragma once

#include <QString>
#include <QStringView>
#include <array>

// One line of the active-taxpayer file, split into the ATIVOS columns it fills.
struct LinhaAtivo {
    // In the order the line-failure message lists them.
    enum Coluna {
        MUNIC_CODIGO,
        IE,
        CNAEF_ID,
        DESMEMBRAMENTO,
        CODUF,
        NOMECOMER,
        NRCRC,
        UFCRC,
        CPFCONTAD,
        CGCCONTAD,
        ENDERECO,
        BAIRROCONTRIBUINTE,
        CEP,
        NOMCONTAD,
        DDDCONTAD,
        TELEFCONTAD,
        RAMALCONTAD,
        VLADICANT,
        OUTENTANT,
        REGRECATU,
        ENDCONTADOR,
        UFCONTAD,
        NOMEMUNICCONTAD,
        BAIRROCONTAD,
        CEPCONTAD,
        MAILRESPONSAVEL,
        MUNIC_ANTERIOR_CONTRIB,
        ENTRADAANT,
        SAIDAANT,
        OBRIGADO,
        CNPJ,
        TotalColunas
    };
    std::array<QString, TotalColunas> valores;

    const QString &operator[](Coluna c) const { return valores[c]; }
    static const char *nome(int coluna);
    // Numeric columns the database converts from text.
    static bool numerica(int coluna);

    // `linha` is already trimmed.
    static LinhaAtivo le(QStringView linha);
    // The municipality of a trimmed line (positions 517-519).
    static QString municipio(QStringView linha);
};
