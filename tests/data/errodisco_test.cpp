#include "data/errodisco.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <ibase.h>

namespace
{
const char kEscrita[] = "write";
const char kArquivo[] = "/casa/bd/ORBEL.GDB";
auto texto(const char *s)
{
    return reinterpret_cast<intptr_t>(s);
}
} // namespace

TEST(DiskErrors, EngineStatusAndDriverTextAreClassifiedInOnePlace)
{
    // what the engine says when a page cannot be written: the operation, the file, the system's error
    const intptr_t cheio[] = {isc_arg_gds,    isc_io_error,    isc_arg_string, texto(kEscrita),
                              isc_arg_string, texto(kArquivo), isc_arg_gds,    isc_io_write_err,
                              isc_arg_unix,   ENOSPC,          isc_arg_end};
    bool semEspaco = false;
    QString arquivo;
    EXPECT_TRUE(EhErroDisco(cheio, &semEspaco, &arquivo));
    EXPECT_TRUE(semEspaco);
    EXPECT_EQ(arquivo, QString(kArquivo));
    const intptr_t negado[] = {isc_arg_gds,    isc_io_error,    isc_arg_string, texto(kEscrita),
                               isc_arg_string, texto(kArquivo), isc_arg_gds,    isc_io_write_err,
                               isc_arg_unix,   EACCES,          isc_arg_end};
    EXPECT_TRUE(EhErroDisco(negado, &semEspaco));
    EXPECT_FALSE(semEspaco);
    const intptr_t chave[] = {isc_arg_gds, isc_unique_key_violation, isc_arg_end};
    EXPECT_FALSE(EhErroDisco(chave));

    EXPECT_TRUE(EhErroDisco(QString("Unable to execute query\nNo space left on device"), &semEspaco));
    EXPECT_TRUE(semEspaco);
    EXPECT_TRUE(EhErroDisco(QString("I/O error during \"read\" operation for file"), &semEspaco));
    EXPECT_FALSE(semEspaco);
    EXPECT_FALSE(EhErroDisco(QString("violation of PRIMARY or UNIQUE KEY constraint")));
}

TEST(DiskErrors, ARaisedDiskErrorIsRememberedThroughWrappingUntilForgotten)
{
    EsqueceErroDisco();
    const intptr_t cheio[] = {isc_arg_gds,     isc_io_error, isc_arg_string, texto(kEscrita), isc_arg_string,
                              texto(kArquivo), isc_arg_unix, ENOSPC,         isc_arg_end};
    try {
        LancaErroFirebird(cheio, "Gravando DECLARACOES");
        ADD_FAILURE();
    } catch (const ErroDisco &e) {
        EXPECT_TRUE(e.cheio());
        EXPECT_TRUE(e.message().startsWith("Gravando DECLARACOES\r\n")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("No space left on device")) << e.message().toStdString();
    }
    ASSERT_TRUE(HouveErroDisco());
    // a handler that wrapped it in its own text still hands it on as the disk error it was
    const OrbelError embrulhado("GravaRegistro 10 - algo");
    EXPECT_THROW(RelancaSeErroDisco(embrulhado), ErroDisco);

    EsqueceErroDisco();
    EXPECT_FALSE(ReconheceErroDisco(embrulhado));
    EXPECT_NO_THROW(RelancaSeErroDisco(embrulhado));
    const intptr_t outro[] = {isc_arg_gds, isc_unique_key_violation, isc_arg_end};
    EXPECT_THROW(LancaErroFirebird(outro), OrbelError);
    EXPECT_FALSE(HouveErroDisco());
    // one met only as a text of Qt's driver is remembered once recognised
    EXPECT_TRUE(ReconheceErroDisco(OrbelError("Erro ao executar \"UPDATE\".\r\nNo space left on device")));
    EXPECT_TRUE(HouveErroDisco());
    EXPECT_TRUE(UltimoErroDisco()->cheio());
    EsqueceErroDisco();
}
