#include "browse/widgets/frmativos.h"

#include "browse/widgets/navegacao.h"
#include "data/tdmprincipal.h"
#include "data/widgets/datasetmodel.h"
#include "data/widgets/ligacaocampos.h"
#include "shell/widgets/componentes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
const QString kDica = QStringLiteral("Filtrar (pesquisa vazia trás todos registros)");
}

TfrmAtivos::TfrmAtivos(TdmPrincipal &dm, UserInterface &ui, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_navega(dm, ui)
{
    setObjectName(QStringLiteral("frmAtivos"));
    setWindowTitle(QStringLiteral("Ativos"));
    m_navega.abre();
    montaTela();
    new LegendaContada(this, [this] { return m_navega.titulo(); });
    Maximiza(this);
}

void TfrmAtivos::montaTela()
{
    ClientDataSet &a = m_dm.cdsAtivos;
    auto *ligacoes = new LigacaoCampos(this);
    auto edicao = [&](QWidget *pai, const QString &nome, bool multilinha = false) {
        return ligacoes->novoCampo(pai, a, nome, multilinha);
    };
    auto campo = [&](QGroupBox *, QGridLayout *grade, int linha, int coluna, const char *rotulo,
                     const QString &nome, int largura = 1, bool multilinha = false) {
        ligacoes->novoCampo(grade, linha, coluna, QString::fromUtf8(rotulo), a, nome, largura, multilinha);
    };

    auto grupo = [this](const char *titulo, const char *nome) {
        auto *g = new QGroupBox(QString::fromUtf8(titulo), this);
        g->setObjectName(QLatin1String(nome));
        return std::pair{g, new QGridLayout(g)};
    };

    auto *raiz = new QVBoxLayout(this);
    auto *topo = new QHBoxLayout;
    raiz->addLayout(topo);

    auto [grpContribuinte, gc] = grupo("Contribuinte", "grpContribuinte");
    campo(grpContribuinte, gc, 0, 0, "Inscrição Estadual", QStringLiteral("IE"));
    campo(grpContribuinte, gc, 0, 3, "CNPJ", QStringLiteral("CNPJ"));
    campo(grpContribuinte, gc, 1, 0, "Nome Comercial", QStringLiteral("NOMECOMER"), 4);
    campo(grpContribuinte, gc, 2, 0, "Endereço", QStringLiteral("ENDERECO"), 4, true);
    campo(grpContribuinte, gc, 3, 0, "Município", QStringLiteral("MUNIC_CODIGO"));
    gc->addWidget(edicao(grpContribuinte, QStringLiteral("MUNIC_NOME")), 3, 2, 1, 3);
    campo(grpContribuinte, gc, 4, 0, "Regime recolhimento", QStringLiteral("REGRECATU"));
    gc->addWidget(edicao(grpContribuinte, QStringLiteral("RegimeRecolhimento")), 4, 2, 1, 3);
    campo(grpContribuinte, gc, 5, 0, "CNAEF", QStringLiteral("CNAEF_ID"));
    gc->addWidget(edicao(grpContribuinte, QStringLiteral("DESMEMBRAMENTO")), 5, 2);
    gc->addWidget(edicao(grpContribuinte, QStringLiteral("DescricaoCNAEF"), true), 6, 1, 1, 4);
    topo->addWidget(grpContribuinte, 3);

    auto [grpResponsavel, gr] = grupo("Responsável", "grpResponsavel");
    campo(grpResponsavel, gr, 0, 0, "CNPJ", QStringLiteral("CGCCONTAD"));
    campo(grpResponsavel, gr, 0, 2, "CPF", QStringLiteral("CPFCONTAD"));
    campo(grpResponsavel, gr, 1, 0, "Nome", QStringLiteral("NOMCONTAD"), 3);
    campo(grpResponsavel, gr, 2, 0, "CRC", QStringLiteral("NRCRC"));
    campo(grpResponsavel, gr, 2, 2, "UF", QStringLiteral("UFCRC"));
    campo(grpResponsavel, gr, 3, 0, "DDD", QStringLiteral("DDDCONTAD"));
    campo(grpResponsavel, gr, 3, 2, "Telefone", QStringLiteral("TELEFCONTAD"));
    campo(grpResponsavel, gr, 4, 0, "Ramal", QStringLiteral("RAMALCONTAD"));
    campo(grpResponsavel, gr, 5, 0, "Endereço", QStringLiteral("ENDCONTADOR"), 3, true);
    campo(grpResponsavel, gr, 6, 0, "Email", QStringLiteral("MAILRESPONSAVEL"), 3);
    campo(grpResponsavel, gr, 7, 0, "CEP", QStringLiteral("CEPCONTAD"));
    campo(grpResponsavel, gr, 7, 2, "Bairro", QStringLiteral("BAIRROCONTAD"));
    campo(grpResponsavel, gr, 8, 0, "Município", QStringLiteral("NOMEMUNICCONTAD"));
    campo(grpResponsavel, gr, 8, 2, "UF", QStringLiteral("UFCONTAD"));
    topo->addWidget(grpResponsavel, 3);

    auto [grpVaf, gv] = grupo(" VAF ", "grpVaf");
    campo(grpVaf, gv, 0, 0, "Saídas anterior", QStringLiteral("SAIDAANT"));
    campo(grpVaf, gv, 1, 0, "Entradas anterior", QStringLiteral("ENTRADAANT"));
    campo(grpVaf, gv, 2, 0, "Out.Entradas Anterior", QStringLiteral("OUTENTANT"));
    campo(grpVaf, gv, 3, 0, "VAF anterior", QStringLiteral("VLADICANT"));
    gv->setRowStretch(4, 1);
    topo->addWidget(grpVaf, 2);

    grdAtivos = new QTableView(this);
    grdAtivos->setObjectName(QStringLiteral("grdAtivos"));
    auto *modelo = new DataSetModel(a, grdAtivos);
    modelo->setColunas({QStringLiteral("CNPJ"), QStringLiteral("IE"), QStringLiteral("NOMECOMER"),
                        QStringLiteral("MUNIC_NOME")},
                       {QStringLiteral("CNPJ"), QStringLiteral("Inscrição Estadual"), QStringLiteral("Nome"),
                        QStringLiteral("Município")});
    LigaGrade(grdAtivos, modelo, a);
    grdAtivos->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    grdAtivos->setColumnWidth(0, 160);
    grdAtivos->setColumnWidth(1, 160);
    grdAtivos->setColumnWidth(3, 260);
    raiz->addWidget(grdAtivos, 1);

    auto *barra = new QHBoxLayout;
    raiz->addLayout(barra);
    barra->addWidget(NovoRotulo(this, "Label1", QStringLiteral("Procurar por:")));
    cmbCampoPesquisa = new QComboBox(this);
    cmbCampoPesquisa->setObjectName(QStringLiteral("cmbCampoPesquisa"));
    cmbCampoPesquisa->addItems(NavegaAtivos::NomesCampos);
    cmbCampoPesquisa->setCurrentIndex(NavegaAtivos::InscricaoEstadual);
    barra->addWidget(cmbCampoPesquisa);
    edtPesquisa = NovaCaixaPesquisa(this, kDica);
    barra->addWidget(edtPesquisa);
    sbtnFiltro = new QToolButton(this);
    sbtnFiltro->setObjectName(QStringLiteral("sbtnFiltro"));
    sbtnFiltro->setCheckable(true);
    sbtnFiltro->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    sbtnFiltro->setToolTip(kDica);
    connect(sbtnFiltro, &QToolButton::clicked, this, &TfrmAtivos::sbtnFiltroClick);
    barra->addWidget(sbtnFiltro);
    barra->addStretch(1);
    btnFechar = new QPushButton(QStringLiteral("Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    connect(btnFechar, &QPushButton::clicked, this, &QWidget::close);
    barra->addWidget(btnFechar);

    // the document numbers are read whole: their boxes are never narrower than 14 digits
    const int largura = fontMetrics().horizontalAdvance(QString(15, u'0')) + 12;
    for (const char *n : {"dbeIE", "dbeCNPJ", "dbeCGCCONTAD", "dbeCPFCONTAD"})
        if (auto *e = findChild<QLineEdit *>(QLatin1String(n)))
            e->setMinimumWidth(largura);

    new TeclasNavegacao(this, [this](QObject *o) {
        if (o != edtPesquisa || !grdAtivos->isEnabled() || !grdAtivos->isVisible())
            return false;
        sbtnFiltroClick();
        grdAtivos->setFocus();
        edtPesquisa->clear();
        return true;
    });
}

void TfrmAtivos::sbtnFiltroClick()
{
    // the button shows whether a search is in force, whatever the click did to it
    const bool pressionado = m_navega.pesquisa(
        static_cast<NavegaAtivos::Campo>(cmbCampoPesquisa->currentIndex()), edtPesquisa->text(), m_filtrando);
    m_filtrando = pressionado;
    sbtnFiltro->setChecked(pressionado);
}

void TfrmAtivos::closeEvent(QCloseEvent *e)
{
    m_navega.fecha();
    QWidget::closeEvent(e);
}
