#pragma once

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <type_traits>

namespace MostraJanelaDetalhe
{
// Ends the modal loop when the window goes away, however it was closed.
class FimDaJanela : public QObject
{
  public:
    explicit FimDaJanela(QEventLoop &laco) : m_laco(laco) {}

  protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        // a spontaneous hide is the window being minimized, not closed
        if (e->type() == QEvent::Hide && !e->spontaneous())
            m_laco.quit();
        return false;
    }

  private:
    QEventLoop &m_laco;
};
} // namespace MostraJanelaDetalhe

// Creates a window over the active one, shows it modally and frees it when it closes. Dialogs and
// plain widgets run the same loop of our own: QDialog::exec() would keep a dangling loop after an
// error escaped it. An error raised while the window is open ends the loop, frees the window and
// reaches the caller, whose one catch shows it.
template <typename Janela, typename... Args> void MostraJanela(Args &&...args)
{
    static_assert(std::is_base_of_v<QWidget, Janela>, "MostraJanela shows windows");
    QPointer<Janela> janela = new Janela(std::forward<Args>(args)..., QApplication::activeWindow());
    // the window may have been built as a child widget; it must be a window of its own
    if (!janela->isWindow())
        janela->setWindowFlags(janela->windowFlags() | Qt::Window);
    janela->setAttribute(Qt::WA_DeleteOnClose, false);
    janela->setWindowModality(Qt::ApplicationModal);
    QEventLoop laco;
    MostraJanelaDetalhe::FimDaJanela fim(laco);
    janela->installEventFilter(&fim);
    QObject::connect(janela.data(), &QObject::destroyed, &laco, &QEventLoop::quit);
    try {
        janela->show();
        if (janela && janela->isVisible())
            laco.exec(QEventLoop::DialogExec);
    } catch (...) {
        delete janela.data();
        throw;
    }
    delete janela.data();
}
