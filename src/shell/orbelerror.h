#pragma once

#include <QString>
#include <exception>

// The one error type of the program: a Portuguese message the user will read.
class OrbelError : public std::exception
{
  public:
    explicit OrbelError(QString message);

    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // An operation that wraps an error puts its own sentence first and the caught message after CR LF.
    static OrbelError wrap(const QString &sentence, const std::exception &caught);

  private:
    QString m_message;
    QByteArray m_utf8;
};

// The message of any caught exception, as the user should read it.
QString mensagemDe(const std::exception &e);

// Thrown after a fatal start-up or connection failure was shown: the program must end now.
// Deliberately not a std::exception, so no ordinary handler swallows it.
struct ProgramaEncerrado {
    int codigo = 1;
};
