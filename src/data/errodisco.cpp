#include "data/errodisco.h"

#include "data/fbconexao.h"

#include <cerrno>
#include <ibase.h>
#include <optional>

namespace
{

std::optional<ErroDisco> g_ultimo;

// The error numbers of the system that mean the disk (or the allowed size) is used up.
bool semEspaco(intptr_t numero)
{
    return numero == ENOSPC || numero == EFBIG
#ifdef EDQUOT
           || numero == EDQUOT
#endif
        ;
}

} // namespace

ErroDisco::ErroDisco(const QString &textoServidor, bool cheio, const QString &arquivo)
    : OrbelError(textoServidor), m_cheio(cheio), m_arquivo(arquivo)
{
}

bool EhErroDisco(const intptr_t *status, bool *cheio, QString *arquivo)
{
    bool io = false, espaco = false;
    QString nome;
    int textosDoIo = -1; // the string arguments after isc_io_error: the operation, then the file
    for (const intptr_t *p = status; p && *p != isc_arg_end;) {
        switch (*p) {
        case isc_arg_gds:
            if (p[1] == isc_io_error) {
                io = true;
                textosDoIo = 0;
            } else if (p[1] == isc_io_write_err || p[1] == isc_io_create_err || p[1] == isc_io_close_err ||
                       p[1] == isc_io_read_err || p[1] == isc_io_32bit_exceeded_err) {
                io = true;
                textosDoIo = -1;
            } else {
                textosDoIo = -1;
            }
            p += 2;
            break;
        case isc_arg_string:
        case isc_arg_interpreted:
            if (textosDoIo >= 0 && ++textosDoIo == 2)
                nome = QString::fromUtf8(reinterpret_cast<const char *>(p[1]));
            p += 2;
            break;
        case isc_arg_cstring:
            p += 3;
            break;
        case isc_arg_unix:
            espaco = espaco || semEspaco(p[1]);
            io = io || espaco;
            p += 2;
            break;
        case isc_arg_warning:
            p = nullptr; // what follows are warnings
            break;
        default:
            p += 2;
            break;
        }
    }
    if (!io)
        return false;
    if (cheio)
        *cheio = espaco;
    if (arquivo)
        *arquivo = nome;
    return true;
}

bool EhErroDisco(const QString &texto, bool *cheio)
{
    const bool espaco = texto.contains(QLatin1String("No space left on device"), Qt::CaseInsensitive) ||
                        texto.contains(QLatin1String("Disk quota exceeded"), Qt::CaseInsensitive) ||
                        texto.contains(QLatin1String("File too large"), Qt::CaseInsensitive);
    const bool io = espaco || texto.contains(QLatin1String("I/O error"), Qt::CaseInsensitive) ||
                    texto.contains(QLatin1String("Error while trying to write"), Qt::CaseInsensitive) ||
                    texto.contains(QLatin1String("write error"), Qt::CaseInsensitive);
    if (io && cheio)
        *cheio = espaco;
    return io;
}

void LancaErroFirebird(const intptr_t *status, const QString &contexto)
{
    const QString texto = contexto.isEmpty() ? TextoErroFirebird(status)
                                             : contexto + QStringLiteral("\r\n") + TextoErroFirebird(status);
    bool cheio = false;
    QString arquivo;
    if (EhErroDisco(status, &cheio, &arquivo))
        LancaErroDisco(ErroDisco(texto, cheio, arquivo));
    throw OrbelError(texto);
}

void LancaErroDisco(const ErroDisco &erro)
{
    g_ultimo.emplace(erro);
    throw erro;
}

bool HouveErroDisco()
{
    return g_ultimo.has_value();
}

const ErroDisco *UltimoErroDisco()
{
    return g_ultimo ? &*g_ultimo : nullptr;
}

void EsqueceErroDisco()
{
    g_ultimo.reset();
}

bool ReconheceErroDisco(const std::exception &e)
{
    if (auto *d = dynamic_cast<const ErroDisco *>(&e)) {
        if (!g_ultimo)
            g_ultimo.emplace(*d);
        return true;
    }
    if (g_ultimo)
        return true;
    bool cheio = false;
    const QString texto = mensagemDe(e);
    if (!EhErroDisco(texto, &cheio))
        return false;
    g_ultimo.emplace(texto, cheio, QString());
    return true;
}

void RelancaSeErroDisco(const std::exception &e)
{
    if (ReconheceErroDisco(e))
        throw *g_ultimo;
}
