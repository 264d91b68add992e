#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Builds fixed-width lines: fields placed at 1-based positions over a line of blanks.
class LinhaFixa
{
  public:
    explicit LinhaFixa(int tamanho) : m_linha(tamanho, u' ') {}
    LinhaFixa &poe(int primeira, const QString &valor)
    {
        if (m_linha.size() < primeira - 1 + valor.size())
            m_linha.resize(primeira - 1 + valor.size(), u' ');
        m_linha.replace(primeira - 1, valor.size(), valor);
        return *this;
    }
    QString texto() const { return m_linha; }

  private:
    QString m_linha;
};

// The head every return record shares: type (1-2), municipality (3-5), inscrição estadual (6-18).
LinhaFixa CabecaRetorno(const char *tipo, const char *ie, const char *municipio = "001");

// An active-taxpayer line with the usual fields filled.
LinhaFixa LinhaAtivoTeste(const QString &ie, const QString &municipio, const QString &cnpj,
                          const QString &nome = QStringLiteral("COMERCIO TESTE LTDA"));

// Writes lines (Windows-1252, CR LF) into a text file and packs it into a zip archive at `zip`,
// under the name the state uses ("P" + the archive name from its second character, .txt).
void GravaZipCaptura(const QString &zip, const QStringList &linhas);
