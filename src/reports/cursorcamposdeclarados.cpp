#include "reports/cursorcamposdeclarados.h"

#include "shell/orbelerror.h"

namespace
{
QVariant comoDeclarado(const QVariant &v, CampoDeclarado::Tipo tipo)
{
    if (v.isNull())
        return v;
    switch (tipo) {
    case CampoDeclarado::Texto:
        return v.typeId() == QMetaType::QString ? v : QVariant(v.toString());
    case CampoDeclarado::Data:
        return v.typeId() == QMetaType::QDateTime ? QVariant(v.toDateTime().date()) : v;
    case CampoDeclarado::Hora:
        return v.typeId() == QMetaType::QDateTime ? QVariant(v.toDateTime().time()) : v;
    case CampoDeclarado::Real:
    case CampoDeclarado::Fixo:
        return v.typeId() == QMetaType::Double ? v : QVariant(v.toDouble());
    }
    return v;
}
} // namespace

CursorCamposDeclarados::CursorCamposDeclarados(ClientDataSet &dados, QVector<CampoDeclarado> campos)
    : m_base(dados), m_campos(std::move(campos))
{
    for (const CampoDeclarado &c : m_campos) {
        const int i = dados.indiceCampo(c.nome);
        if (i < 0)
            throw OrbelError(QStringLiteral("%1: Campo '%2' não encontrado.").arg(dados.nome(), c.nome));
        m_indices << i;
    }
}

QStringList CursorCamposDeclarados::campos() const
{
    QStringList r;
    for (const CampoDeclarado &c : m_campos)
        r << c.nome;
    return r;
}

QVariant CursorCamposDeclarados::valor(int campo) const
{
    if (campo < 0 || campo >= m_campos.size())
        return {};
    return comoDeclarado(m_base.valor(m_indices[campo]), m_campos[campo].tipo);
}

QVariant CursorCamposDeclarados::valorSeguinte(int campo) const
{
    if (campo < 0 || campo >= m_campos.size())
        return {};
    return comoDeclarado(m_base.valorSeguinte(m_indices[campo]), m_campos[campo].tipo);
}
