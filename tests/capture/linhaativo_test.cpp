#include "capture/camposfixos.h"
#include "capture/linhaativo.h"
#include "support/arquivosteste.h"

#include <gtest/gtest.h>

TEST(ActiveLine, FieldsComposedAddressesAndCasing)
{
    LinhaFixa l = LinhaAtivoTeste("0012345678901", "001", "12345678000199", "  Padaria \"Pão Quente\"  ");
    const LinhaAtivo a = LinhaAtivo::le(CamposFixos::aparaLinha(l.texto()));
    EXPECT_EQ(a[LinhaAtivo::IE], QString("0012345678901"));
    EXPECT_EQ(a[LinhaAtivo::NOMECOMER], QString::fromUtf8("PADARIA PÃO QUENTE"));
    // 242-244, 279-292, 245-278, 232-236, 76-77, 82-131, 78-79, 132-181, 80-81, 182-231; empty parts keep
    // their blank
    EXPECT_EQ(a[LinhaAtivo::ENDERECO], QString("RUA  CENTRO 00123 RU DAS FLORES"));
    EXPECT_EQ(a[LinhaAtivo::UFCRC], QString("VP"));
    EXPECT_EQ(a[LinhaAtivo::MAILRESPONSAVEL], QString("contato@empresa.com.br"));
    EXPECT_EQ(a[LinhaAtivo::NOMEMUNICCONTAD], QString("ALVORADA"));
    EXPECT_EQ(a[LinhaAtivo::BAIRROCONTRIBUINTE], QString("BAIRRO NOVO"));
    EXPECT_EQ(a[LinhaAtivo::VLADICANT], QString("000000000123.45"));
    EXPECT_EQ(a[LinhaAtivo::CEPCONTAD], QString("0000")); // shares 461-464 with VLADICANT
    EXPECT_EQ(a[LinhaAtivo::MUNIC_CODIGO], QString("001"));
    EXPECT_EQ(a[LinhaAtivo::CNPJ], QString("12345678000199"));
    EXPECT_EQ(a[LinhaAtivo::OBRIGADO], QString("S"));
    EXPECT_EQ(QString(LinhaAtivo::nome(LinhaAtivo::BAIRROCONTRIBUINTE)), QString("BAIRROCONTRIBUINTE"));
}

TEST(ActiveLine, LeadingBlanksShiftFieldsAndShortLinesReadEmpty)
{
    const QString linha = "   " + LinhaAtivoTeste("777", "002", "1").texto() + "\x1a";
    const QStringView aparada = CamposFixos::aparaLinha(linha);
    EXPECT_TRUE(aparada.startsWith(u"777"));
    const LinhaAtivo curta = LinhaAtivo::le(u"123");
    EXPECT_EQ(curta[LinhaAtivo::IE], QString("123"));
    EXPECT_TRUE(curta[LinhaAtivo::CNPJ].isEmpty());
    EXPECT_TRUE(curta[LinhaAtivo::MUNIC_CODIGO].isEmpty());
    EXPECT_EQ(curta[LinhaAtivo::ENDERECO], QString()); // all parts empty: trimmed away
    EXPECT_EQ(CamposFixos::campo(u"abcdef", 5, 10).toString(), QString("ef"));
    EXPECT_TRUE(CamposFixos::campo(u"abc", 5, 10).isEmpty());
}

TEST(ActiveLine, UpperCaseStaysWithinWindows1252)
{
    // ƒ and µ have capitals outside the code page and ß none but "SS": they stay; ÿ has Ÿ (0x9F)
    LinhaFixa l = LinhaAtivoTeste("1", "001", "C1", QString::fromUtf8("açougue ƒµß ÿ œ š"));
    l.poe(600, QString::fromUtf8("jardim ß").leftJustified(20));
    const LinhaAtivo a = LinhaAtivo::le(CamposFixos::aparaLinha(l.texto()));
    EXPECT_EQ(a[LinhaAtivo::NOMECOMER], QString::fromUtf8("AÇOUGUE ƒµß Ÿ Œ Š"));
    EXPECT_EQ(a[LinhaAtivo::BAIRROCONTRIBUINTE], QString::fromUtf8("JARDIM ß"));
    EXPECT_EQ(a[LinhaAtivo::NOMECOMER].size(), QString::fromUtf8("açougue ƒµß ÿ œ š").size());
}
