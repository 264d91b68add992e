#include "data/widgets/ligacaocampos.h"

#include "data/clientdataset.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace
{
QString textoDe(const ClientDataSet &ds, const QString &campo)
{
    if (!ds.active() || ds.isEmpty())
        return QString();
    try {
        return ds.exibicao(campo);
    } catch (const std::exception &) {
        return QString(); // a control cannot raise; the code reading the row meets the same error
    }
}
} // namespace

void LigacaoCampos::segue(ClientDataSet &ds, std::function<void()> f)
{
    for (auto sinal : {&ClientDataSet::linhaAtualMudou, &ClientDataSet::dadosMudaram,
                       &ClientDataSet::valoresMudaram, &ClientDataSet::aberto, &ClientDataSet::fechado})
        connect(&ds, sinal, this, f);
    m_atualizacoes << f;
    f();
}

void LigacaoCampos::liga(QWidget *controle, ClientDataSet &ds, const QString &campo)
{
    segue(ds, [controle, &ds, campo] {
        const QString t = textoDe(ds, campo);
        if (auto *e = qobject_cast<QLineEdit *>(controle)) {
            e->setText(t);
            e->setCursorPosition(0);
        } else if (auto *p = qobject_cast<QPlainTextEdit *>(controle)) {
            p->setPlainText(t);
        } else if (auto *l = qobject_cast<QLabel *>(controle)) {
            l->setText(t);
        }
    });
}

void LigacaoCampos::ligaSN(QWidget *caixa, ClientDataSet &ds, const QString &campo)
{
    segue(ds, [caixa, &ds, campo] {
        if (auto *c = qobject_cast<QCheckBox *>(caixa))
            c->setChecked(textoDe(ds, campo) == u"S");
    });
}

void LigacaoCampos::aoMudar(ClientDataSet &ds, std::function<void()> f)
{
    segue(ds, std::move(f));
}

void LigacaoCampos::atualiza()
{
    for (const auto &f : std::as_const(m_atualizacoes))
        f();
}

QWidget *LigacaoCampos::novoCampo(QWidget *pai, ClientDataSet &ds, const QString &campo, bool multilinha)
{
    QWidget *w;
    if (multilinha) {
        auto *p = new QPlainTextEdit(pai);
        p->setReadOnly(true);
        p->setMaximumHeight(p->fontMetrics().height() * 3 + 10);
        w = p;
    } else {
        auto *e = new QLineEdit(pai);
        e->setReadOnly(true);
        w = e;
    }
    w->setObjectName(QStringLiteral("dbe") + campo);
    liga(w, ds, campo);
    return w;
}

QWidget *LigacaoCampos::novoCampo(QGridLayout *grade, int linha, int coluna, const QString &rotulo,
                                  ClientDataSet &ds, const QString &campo, int largura, bool multilinha)
{
    QWidget *pai = grade->parentWidget();
    grade->addWidget(new QLabel(rotulo, pai), linha, coluna);
    QWidget *w = novoCampo(pai, ds, campo, multilinha);
    grade->addWidget(w, linha, coluna + 1, 1, largura);
    grade->setColumnStretch(coluna + 1, 1); // the fields take the width, the labels keep theirs
    return w;
}
