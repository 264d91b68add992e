#pragma once

#include "shell/userinterface.h"

#include <QList>
#include <QQueue>
#include <cstdio>

// Answers the program's questions from a script: tests queue the answers, the command line
// answers every question alike (--yes). Everything shown is recorded, and can be echoed.
class ScriptedUi : public UserInterface
{
  public:
    struct Mensagem {
        QString titulo;
        QString texto;
        Icone icone;
        Botoes botoes;
        Botao resposta;
    };

    // Answers for the next questions, in order; when none is queued, padrao() answers.
    void enfileira(Botao resposta) { m_respostas.enqueue(resposta); }
    void enfileiraArquivo(const QString &caminho) { m_arquivos.enqueue(caminho); }
    void setRespostaPadrao(Botao b) { m_padrao = b; }

    // Echo what is shown: information to `saida`, errors and warnings to `erros` (UTF-8).
    void setEco(FILE *saida, FILE *erros)
    {
        m_saida = saida;
        m_erros = erros;
    }

    Botao mensagem(const QString &titulo, const QString &texto, Icone icone, Botoes botoes) override;
    void aguarde(const QString &texto) override;
    QString escolheArquivo(const QString &titulo, const QString &pasta, const QString &filtro) override;
    QString escolheArquivoParaGravar(const QString &titulo, const QString &caminho,
                                     const QString &filtro) override;
    QString escolhePasta(const QString &titulo, const QString &pasta) override;
    void abrePasta(const QString &pasta) override { m_pastasAbertas << pasta; }
    const QStringList &pastasAbertas() const { return m_pastasAbertas; }
    // Progress goes to the error stream when one is set; a Cancel press can be scripted.
    std::unique_ptr<JanelaProgresso> criaJanelaProgresso() override;
    void setCancelaProgressoNaAtualizacao(int n) { m_cancelaEm = n; }

    const QList<Mensagem> &mensagens() const { return m_mensagens; }
    const QStringList &aguardes() const { return m_aguardes; }
    QString aguardeAtual() const { return m_aguardeAtual; }
    QStringList textos() const;
    void limpa()
    {
        m_mensagens.clear();
        m_aguardes.clear();
    }

  private:
    Botao padrao(Botoes botoes) const;

    QQueue<Botao> m_respostas;
    QQueue<QString> m_arquivos;
    Botao m_padrao = Nao;
    QList<Mensagem> m_mensagens;
    QStringList m_aguardes;
    QStringList m_pastasAbertas;
    QString m_aguardeAtual;
    int m_cancelaEm = 0;
    FILE *m_saida = nullptr;
    FILE *m_erros = nullptr;
};
