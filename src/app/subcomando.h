#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <functional>
#include <stdexcept>

// One subcommand of `orbel`: its options, its arguments and the function that runs it. The table
// of every subcommand is Subcomandos() (subcomandos.cpp); adding one is a line there and a file.
struct Subcomando {
    // What the subcommand needs from Qt: most run on Qt Core alone; those that draw pictures get
    // Qt Gui on the offscreen platform, so none needs a display.
    enum class Aplicacao { Nucleo, Desenho };

    struct Argumento {
        QString nome;      // as shown in the usage line: "ARQUIVO.zip"
        QString descricao; // one line of the help
        QString faltando;  // the usage error when it is missing; empty: optional
    };

    QString nome;
    QString resumo;                   // one line of `orbel --help`
    QString descricao;                // the paragraph of `orbel NOME --help`
    QList<QCommandLineOption> opcoes; // --home and --help are every subcommand's
    QList<Argumento> argumentos;
    Aplicacao aplicacao = Aplicacao::Nucleo;
    // Runs it with the parsed command line; the program folder is already set. Returns the exit
    // status (0 done, 1 refused or failed) or throws ErroDeUso (status 2).
    std::function<int(const QCommandLineParser &)> executa;
};

// A usage error found by a subcommand: the text goes to stderr with a pointer to its --help.
struct ErroDeUso : std::runtime_error {
    explicit ErroDeUso(const QString &texto) : std::runtime_error(texto.toStdString()) {}
    QString texto() const { return QString::fromStdString(what()); }
};

// Every subcommand, in the order `orbel --help` lists them.
const QList<Subcomando> &Subcomandos();

// The help texts (UTF-8 on the streams).
QString AjudaDoPrograma();
QString AjudaDoSubcomando(const Subcomando &s);

// Writes a line (UTF-8) to a stream.
void EscreveLinha(FILE *f, const QString &texto);
