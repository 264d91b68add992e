#include "shell/tspprogress.h"

#include "shell/formatacao.h"
#include "shell/userinterface.h"

#include <cmath>

TSPProgress::TSPProgress(UserInterface &ui) : m_ui(ui)
{
}

TSPProgress::~TSPProgress() = default;

void TSPProgress::setMessage(const QString &texto)
{
    m_message = texto;
    if (m_janela)
        m_janela->setMensagem(texto);
}

void TSPProgress::setMaxCount(int n)
{
    m_maxCount = n;
    m_posicao = 0;
    m_contador = 0;
}

bool TSPProgress::Execute()
{
    std::unique_ptr<JanelaProgresso> janela = m_ui.criaJanelaProgresso();
    m_janela = janela.get();
    m_inicio = QDateTime::currentDateTime();
    m_contador = 0;
    m_redesenhos = 0;
    bool ok = true;
    m_cancelado = false;
    m_janela->setMensagem(m_message);
    m_janela->atualiza(AbsoluteInc ? QString() : QStringLiteral("0%"), 0, QStringLiteral("00:00:00"));
    m_redesenhos = 0;
    m_janela->executa(
        Caption, CanCancel,
        [&] {
            try {
                if (OnExecute)
                    OnExecute(*this);
                m_janela->beep();
            } catch (const EAbortProgress &) {
                ok = false;
                m_cancelado = true;
            } catch (const std::exception &e) {
                ok = false;
                m_ui.mostraErro(mensagemDe(e));
            }
        },
        [this] { timerTimer(); });
    m_janela = nullptr;
    return ok;
}

void TSPProgress::Increment(int n)
{
    m_posicao += n;
    if (m_contador <= 0) {
        if (m_maxCount == 0)
            throw OrbelError(QStringLiteral("SPProgress: Falta informar o valor de MaxCount"));
        atualizaTela();
        m_contador = m_maxCount / 500;
    } else {
        --m_contador;
    }
    m_ui.processaEventos();
    if (m_janela && m_janela->cancelamentoPedido()) {
        if (m_ui.mensagem(QString(), QStringLiteral("Confirma o cancelamento do processo?"),
                          UserInterface::Icone::Pergunta,
                          UserInterface::Botoes(UserInterface::Sim) | UserInterface::Nao) ==
            UserInterface::Sim)
            throw EAbortProgress();
        m_janela->limpaCancelamento();
    }
}

void TSPProgress::atualizaTela()
{
    ++m_redesenhos;
    if (!m_janela)
        return;
    const double fracao = double(m_posicao) / m_maxCount * 100.0;
    // the callers' counts are estimates from the file's size: past the estimate the work is
    // still under way, so the display stays at 100% rather than counting on beyond it
    const int percentual = std::min(100, int(std::nearbyint(fracao))); // halves to the even neighbour
    const qint64 decorrido = m_inicio.msecsTo(QDateTime::currentDateTime());
    const double porPasso = m_posicao > 0 ? double(decorrido) / m_posicao : 0;
    const QString estimado = Formatacao::duracao(qint64(std::max(m_maxCount, m_posicao) * porPasso));
    const QString inc = AbsoluteInc ? QStringLiteral("%1/%2").arg(m_posicao).arg(m_maxCount)
                                    : QStringLiteral("%1%").arg(std::max(0, percentual));
    m_janela->atualiza(inc, std::min(100, std::max(0, percentual)), estimado);
    m_ui.processaEventos();
}

void TSPProgress::timerTimer()
{
    if (!m_janela)
        return;
    const qint64 decorrido = m_inicio.msecsTo(QDateTime::currentDateTime());
    const qint64 restante =
        m_posicao > 0 ? qint64(double(m_maxCount - m_posicao) * decorrido / m_posicao) : 0;
    m_janela->atualizaTempos(Formatacao::duracao(decorrido), Formatacao::duracao(restante));
    m_ui.processaEventos();
}
