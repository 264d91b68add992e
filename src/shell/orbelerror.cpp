#include "shell/orbelerror.h"

OrbelError::OrbelError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}

OrbelError OrbelError::wrap(const QString &sentence, const std::exception &caught)
{
    return OrbelError(sentence + QStringLiteral("\r\n") + mensagemDe(caught));
}

QString mensagemDe(const std::exception &e)
{
    if (auto *oe = dynamic_cast<const OrbelError *>(&e))
        return oe->message();
    return QString::fromUtf8(e.what());
}
