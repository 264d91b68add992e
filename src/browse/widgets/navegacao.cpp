#include "browse/widgets/navegacao.h"

#include "data/clientdataset.h"
#include "data/widgets/datasetmodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTimer>

namespace
{
// Ctrl+End goes to the set's last row, not to the last row fetched so far.
class UltimaLinha : public QObject
{
  public:
    UltimaLinha(QTableView *grade, ClientDataSet &ds) : QObject(grade), m_ds(ds)
    {
        grade->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() != Qt::Key_End || !(k->modifiers() & Qt::ControlModifier) || !m_ds.active())
            return false;
        m_ds.last();
        return true;
    }

  private:
    ClientDataSet &m_ds;
};
} // namespace

void LigaGrade(QTableView *grade, DataSetModel *modelo, ClientDataSet &ds)
{
    grade->setModel(modelo);
    grade->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade->setSelectionMode(QAbstractItemView::SingleSelection);
    grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grade->verticalHeader()->setDefaultSectionSize(grade->fontMetrics().height() + 6);
    // no column narrower than its title
    const QFontMetrics titulos(grade->horizontalHeader()->font());
    for (int c = 0; c < modelo->columnCount(); ++c) {
        const int largura =
            titulos.horizontalAdvance(modelo->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) + 24;
        if (grade->columnWidth(c) < largura)
            grade->setColumnWidth(c, largura);
    }
    auto *selecao = grade->selectionModel();
    QObject::connect(selecao, &QItemSelectionModel::currentRowChanged, grade,
                     [&ds](const QModelIndex &atual) {
                         if (atual.isValid() && atual.row() != ds.recNo())
                             ds.setRecNo(atual.row());
                     });
    auto segue = [grade, modelo, &ds] {
        const QModelIndex i = modelo->indiceAtual();
        if (i.isValid() && grade->currentIndex().row() != i.row())
            grade->setCurrentIndex(i);
    };
    QObject::connect(&ds, &ClientDataSet::linhaAtualMudou, grade, segue);
    // a reset loses the grid's current row: put it back on the set's
    QObject::connect(modelo, &QAbstractItemModel::modelReset, grade, segue);
    new UltimaLinha(grade, ds);
    segue();
}

void Maximiza(QWidget *janela)
{
    if (const QScreen *tela = QGuiApplication::primaryScreen())
        janela->setGeometry(tela->availableGeometry());
    janela->setWindowState(Qt::WindowMaximized);
}

QLineEdit *NovaCaixaPesquisa(QWidget *pai, const QString &dica)
{
    auto *e = new QLineEdit(pai);
    e->setObjectName(QStringLiteral("edtPesquisa"));
    e->setToolTip(dica);
    e->setMinimumWidth(300);
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString &t) {
        const int cursor = e->cursorPosition();
        e->setText(t.toUpper());
        e->setCursorPosition(cursor);
    });
    return e;
}

TeclasNavegacao::TeclasNavegacao(QWidget *janela, std::function<bool(QObject *)> aoEnter)
    : QObject(janela), m_janela(janela), m_aoEnter(std::move(aoEnter))
{
    janela->installEventFilter(this);
    for (QWidget *w : janela->findChildren<QWidget *>())
        w->installEventFilter(this);
}

bool TeclasNavegacao::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    auto *k = static_cast<QKeyEvent *>(e);
    if (k->key() == Qt::Key_Escape) {
        m_janela->close();
        return true;
    }
    if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter)
        return false;
    if (m_aoEnter && m_aoEnter(o))
        return true;
    QWidget *foco = QApplication::focusWidget();
    if (!foco || !m_janela->isAncestorOf(foco))
        return false;
    // the next control that takes the focus, in the window's tab order
    QWidget *w = foco;
    do {
        w = k->modifiers() & Qt::ShiftModifier ? w->previousInFocusChain() : w->nextInFocusChain();
    } while (w != foco && !(w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) &&
                            m_janela->isAncestorOf(w)));
    w->setFocus(k->modifiers() & Qt::ShiftModifier ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return true;
}

LegendaContada::LegendaContada(QWidget *janela, std::function<QString()> legenda)
    : QObject(janela), m_janela(janela), m_legenda(std::move(legenda))
{
    janela->installEventFilter(this);
}

bool LegendaContada::eventFilter(QObject *o, QEvent *e)
{
    if (o == m_janela && e->type() == QEvent::Paint) {
        m_janela->removeEventFilter(this);
        // after this paint has reached the screen
        QTimer::singleShot(0, this, [this] { m_janela->setWindowTitle(m_legenda()); });
    }
    return false;
}
