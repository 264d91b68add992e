#include "shell/formatacao.h"
#include "shell/orbelerror.h"

#include <gtest/gtest.h>

using Formatacao::mascara;

TEST(Formatting, WholeNumberPicture)
{
    const QString inteiro = "###,###,###,##0";
    EXPECT_EQ(mascara(0, inteiro), QString("0"));
    EXPECT_EQ(mascara(7, inteiro), QString("7"));
    EXPECT_EQ(mascara(1234567.4, inteiro), QString("1.234.567"));
    EXPECT_EQ(mascara(1234567.5, inteiro), QString("1.234.568"));
    EXPECT_EQ(mascara(0.5, inteiro), QString("1"));
    EXPECT_EQ(mascara(-2.5, inteiro), QString("-3")); // away from zero, not to even
    EXPECT_EQ(mascara(-1234.5, inteiro), QString("-1.235"));
    EXPECT_EQ(mascara(-0.4, inteiro), QString("0"));
    EXPECT_EQ(mascara(999.5, inteiro), QString("1.000"));
    EXPECT_EQ(mascara(999999.5, inteiro), QString("1.000.000"));
    EXPECT_EQ(mascara(1234567890123.0, inteiro), QString("1.234.567.890.123"));
    EXPECT_EQ(mascara(-1234567890123.0, inteiro), QString("-1.234.567.890.123"));
}

TEST(Formatting, DecimalPicture)
{
    const QString decimal = "###,###,###,##0.00";
    EXPECT_EQ(mascara(0, decimal), QString("0,00"));
    EXPECT_EQ(mascara(2.675, decimal), QString("2,68")); // stored as 2.67499999...
    EXPECT_EQ(mascara(1.005, decimal), QString("1,01"));
    EXPECT_EQ(mascara(0.125, decimal), QString("0,13"));
    EXPECT_EQ(mascara(0.5, decimal), QString("0,50"));
    EXPECT_EQ(mascara(-0.004, decimal), QString("0,00"));
    EXPECT_EQ(mascara(-0.005, decimal), QString("-0,01"));
    EXPECT_EQ(mascara(0.000001, decimal), QString("0,00"));
    EXPECT_EQ(mascara(1000000, decimal), QString("1.000.000,00"));
    EXPECT_EQ(mascara(1234567890123.45, decimal), QString("1.234.567.890.123,45"));
    EXPECT_EQ(mascara(9999.995, decimal), QString("10.000,00"));

    EXPECT_EQ(mascara(1.5, "0.0#"), QString("1,5"));
    EXPECT_EQ(mascara(1.256, "0.0#"), QString("1,26"));
    EXPECT_EQ(mascara(0.5, "#.##"), QString(",5"));
    EXPECT_EQ(mascara(12.5, "'R$ '#,##0.00"), QString("R$ 12,50"));
    EXPECT_EQ(mascara(12, "0 %"), QString("12 %"));
}

TEST(Formatting, SectionsForNegativeAndZero)
{
    const QString tres = "###,###,###,###,##0;---;---";
    EXPECT_EQ(mascara(1500, tres), QString("1.500"));
    EXPECT_EQ(mascara(0.3, tres), QString("0")); // not zero: the positive section
    EXPECT_EQ(mascara(-1500, tres), QString("---"));
    EXPECT_EQ(mascara(0, tres), QString("---"));

    EXPECT_EQ(mascara(-5, "0.00;(0.00)"), QString("(5,00)"));
    EXPECT_EQ(mascara(0, "0.00;(0.00)"), QString("0,00"));
    EXPECT_EQ(mascara(-5, "0;;zero"), QString("-5")); // empty negative section: the first one
    EXPECT_EQ(mascara(0, "0;-0;'nada;'"), QString("nada;"));
}

TEST(Formatting, ReportPictures)
{
    const QString reais = "R$ ###,###,###,###,##0.00";
    EXPECT_EQ(mascara(1234567.891, reais), QString("R$ 1.234.567,89"));
    EXPECT_EQ(mascara(0, reais), QString("R$ 0,00"));
    EXPECT_EQ(mascara(-1500.5, reais), QString("-R$ 1.500,50"));

    const QString indice = "0.000000;-;-"; // only a positive index shows digits
    EXPECT_EQ(mascara(0.1234565, indice), QString("0,123457"));
    EXPECT_EQ(mascara(12, indice), QString("12,000000"));
    EXPECT_EQ(mascara(0, indice), QString("-"));
    EXPECT_EQ(mascara(-0.5, indice), QString("-"));

    const QString doisDigitos = "0,0"; // at least two digits, thousands grouped, rounded
    EXPECT_EQ(mascara(0, doisDigitos), QString("00"));
    EXPECT_EQ(mascara(5, doisDigitos), QString("05"));
    EXPECT_EQ(mascara(4.5, doisDigitos), QString("05"));
    EXPECT_EQ(mascara(1234567, doisDigitos), QString("1.234.567"));
    EXPECT_EQ(mascara(-7, doisDigitos), QString("-07"));
}

TEST(Formatting, DatesInBothForms)
{
    EXPECT_EQ(Formatacao::data(QDate(2024, 3, 5)), QString("05/03/2024"));
    EXPECT_EQ(Formatacao::data(QDate()), QString());
    EXPECT_EQ(Formatacao::leData("05/03/2024"), QDate(2024, 3, 5));
    EXPECT_EQ(Formatacao::leData("5/3/2024"), QDate(2024, 3, 5));
    EXPECT_EQ(Formatacao::leData(Formatacao::data(QDate(1999, 12, 31))), QDate(1999, 12, 31));
    EXPECT_EQ(Formatacao::leData("29/02/24").year() % 100, 24);
    EXPECT_EQ(Formatacao::dataServidor(QDate(2024, 3, 5)), QString("05.03.2024"));
    EXPECT_EQ(Formatacao::horaServidor(QTime(7, 8, 9)), QString("07:08:09"));
    EXPECT_EQ(Formatacao::dataHora(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))),
              QString("02/01/2024 03:04:05"));

    for (const char *errada :
         {"31/02/2024", "29/02/2023", "2024-03-05", "05/03", "", "aa/bb/cccc", "05/13/2024"})
        EXPECT_THROW(Formatacao::leData(errada), OrbelError) << errada;
    try {
        Formatacao::leData("xx");
        ADD_FAILURE();
    } catch (const OrbelError &e) {
        EXPECT_EQ(e.message(), QString("'xx' não é uma data válida"));
    }
}

TEST(Formatting, GeneralAndRawNumbersDifferOnExponentsOnly)
{
    using Formatacao::numeroDecimal;
    using Formatacao::numeroGeral;
    // the raw form is what the return import carries between records: it must not change
    EXPECT_EQ(numeroDecimal(1234.5), QString("1234,5"));
    EXPECT_EQ(numeroDecimal(-87.25), QString("-87,25"));
    EXPECT_EQ(numeroDecimal(0.1 + 0.2), QString("0,3"));
    EXPECT_EQ(numeroDecimal(999999999999999.0), QString("999999999999999"));
    EXPECT_EQ(numeroDecimal(1.5e20), QString("1,5e+20"));
    EXPECT_EQ(numeroDecimal(123456789012345678.0), QString("1,23456789012346e+17"));
    EXPECT_EQ(numeroDecimal(0.000001), QString("1e-06"));
    EXPECT_EQ(numeroDecimal(-0.0), QString("0"));
    EXPECT_EQ(numeroGeral(1.5e20), QString("1,5E20"));
    EXPECT_EQ(numeroGeral(0.000001), QString("1E-6"));
    EXPECT_EQ(numeroGeral(-0.0), QString("0"));
    EXPECT_EQ(numeroGeral(1234.5), numeroDecimal(1234.5));
}
