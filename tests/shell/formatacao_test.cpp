#include "shell/formatacao.h"
#include "shell/orbelerror.h"

#include <gtest/gtest.h>

TEST(Formatting, PictureMasksOfTheReports)
{
    using Formatacao::mascara;
    const QString inteiro = "###,###,###,##0";
    EXPECT_EQ(mascara(0, inteiro), QString("0"));
    EXPECT_EQ(mascara(1234567.4, inteiro), QString("1.234.567"));
    EXPECT_EQ(mascara(1234567.5, inteiro), QString("1.234.568"));
    EXPECT_EQ(mascara(-1234.5, inteiro), QString("-1.235"));
    EXPECT_EQ(mascara(1234567890123.0, inteiro), QString("1.234.567.890.123"));
    EXPECT_EQ(mascara(999.5, inteiro), QString("1.000"));

    const QString decimal = "###,###,###,##0.00";
    EXPECT_EQ(mascara(2.675, decimal), QString("2,68"));
    EXPECT_EQ(mascara(0.5, decimal), QString("0,50"));
    EXPECT_EQ(mascara(-0.004, decimal), QString("0,00"));
    EXPECT_EQ(mascara(1000000, decimal), QString("1.000.000,00"));

    const QString tres = "###,###,###,###,##0;---;---";
    EXPECT_EQ(mascara(1500, tres), QString("1.500"));
    EXPECT_EQ(mascara(-1500, tres), QString("---"));
    EXPECT_EQ(mascara(0, tres), QString("---"));
}

TEST(Formatting, DatesInBothForms)
{
    EXPECT_EQ(Formatacao::data(QDate(2024, 3, 5)), QString("05/03/2024"));
    EXPECT_EQ(Formatacao::leData("05/03/2024"), QDate(2024, 3, 5));
    EXPECT_EQ(Formatacao::leData("5/3/2024"), QDate(2024, 3, 5));
    EXPECT_EQ(Formatacao::dataServidor(QDate(2024, 3, 5)), QString("05.03.2024"));
    EXPECT_EQ(Formatacao::dataHora(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))), QString("02/01/2024 03:04:05"));
    EXPECT_THROW(Formatacao::leData("31/02/2024"), OrbelError);
    try {
        Formatacao::leData("xx");
    } catch (const OrbelError &e) {
        EXPECT_EQ(e.message(), QString("'xx' não é uma data válida"));
    }
}
