#include "browse/widgets/formcnaef.h"

#include "browse/arvorecnae.h"
#include "browse/widgets/navegacao.h"
#include "data/tdmprincipal.h"
#include "data/widgets/datasetmodel.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
QPushButton *barraFechar(QWidget *janela, QVBoxLayout *raiz)
{
    auto *barra = new QHBoxLayout;
    barra->addStretch(1);
    auto *b = new QPushButton(QStringLiteral("Fechar"), janela);
    b->setObjectName(QStringLiteral("btnFechar"));
    QObject::connect(b, &QPushButton::clicked, janela, &QWidget::close);
    barra->addWidget(b);
    raiz->addLayout(barra);
    return b;
}

void centraliza(QWidget *janela, QSize tamanho)
{
    janela->resize(tamanho);
    if (const QScreen *tela = QGuiApplication::primaryScreen())
        janela->move(tela->availableGeometry().center() - janela->rect().center());
}
} // namespace

TformCNAEF::TformCNAEF(TdmPrincipal &dm, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("formCNAEF"));
    setWindowTitle(QStringLiteral("Visualização de CNAE"));
    auto *raiz = new QVBoxLayout(this);
    tvCNAEF = new QTreeWidget(this);
    tvCNAEF->setObjectName(QStringLiteral("tvCNAEF"));
    tvCNAEF->setHeaderHidden(true);
    raiz->addWidget(tvCNAEF, 1);
    btnFechar = barraFechar(this, raiz);

    dm.AbreCNAEF(); // the validity filter of the base year stored now
    const QVector<NoCNAE> nos = MontaArvoreCNAE(dm.cdsCNAEF);
    QVector<QTreeWidgetItem *> itens(nos.size());
    for (int i = 0; i < nos.size(); ++i) {
        itens[i] = nos[i].pai < 0 ? new QTreeWidgetItem(tvCNAEF) : new QTreeWidgetItem(itens[nos[i].pai]);
        itens[i]->setText(0, nos[i].texto);
    }
    new TeclasNavegacao(this, {});
    centraliza(this, QSize(900, 650));
}

TfrmVerRegimeRecolhimento::TfrmVerRegimeRecolhimento(TdmPrincipal &dm, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmVerRegimeRecolhimento"));
    setWindowTitle(QStringLiteral("Regimes de Recolhimento"));
    auto *raiz = new QVBoxLayout(this);
    grdRegimes = new QTableView(this);
    grdRegimes->setObjectName(QStringLiteral("grdRegimes"));
    auto *modelo = new DataSetModel(dm.cdsRegimes, grdRegimes);
    modelo->setColunas({QStringLiteral("REG_CODIGO"), QStringLiteral("REG_DESCRICAO")},
                       {QStringLiteral("Código"), QStringLiteral("Descrição")});
    LigaGrade(grdRegimes, modelo, dm.cdsRegimes);
    grdRegimes->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    raiz->addWidget(grdRegimes, 1);
    btnFechar = barraFechar(this, raiz);
    new TeclasNavegacao(this, {});
    centraliza(this, QSize(600, 450));
}
