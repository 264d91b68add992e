#include "browse/widgets/frmdeclaracoes.h"

#include "browse/widgets/navegacao.h"
#include "data/tdmprincipal.h"
#include "data/widgets/datasetmodel.h"
#include "data/widgets/ligacaocampos.h"
#include "shell/widgets/componentes.h"

#include <QCheckBox>
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
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
const QString kDica = QStringLiteral("Filtrar (pesquisa vazia trás todos registros)");
}

TfrmDeclaracoes::TfrmDeclaracoes(TdmPrincipal &dm, UserInterface &ui, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_navega(dm, ui)
{
    setObjectName(QStringLiteral("frmDeclaracoes"));
    setWindowTitle(QStringLiteral("Declarações"));
    m_navega.abre();
    montaTela();
    new LegendaContada(this, [this] { return m_navega.titulo(); });
    Maximiza(this);
}

void TfrmDeclaracoes::montaTela()
{
    auto *ligacoes = new LigacaoCampos(this);
    auto edicao = [&](QWidget *pai, ClientDataSet &ds, const QString &nome, bool multilinha = false) {
        return ligacoes->novoCampo(pai, ds, nome, multilinha);
    };
    auto campo = [&](QWidget *, QGridLayout *grade, int linha, int coluna, const char *rotulo,
                     ClientDataSet &ds, const QString &nome, int largura = 1, bool multilinha = false) {
        ligacoes->novoCampo(grade, linha, coluna, QString::fromUtf8(rotulo), ds, nome, largura, multilinha);
    };
    ClientDataSet &d = m_dm.cdsDeclaracoes;
    ClientDataSet &vaf = m_dm.cdsDec_Vaf;
    ClientDataSet &est = m_dm.cdsDec_Estoque;

    auto *raiz = new QVBoxLayout(this);
    pgcDeclaracoes = new QTabWidget(this);
    pgcDeclaracoes->setObjectName(QStringLiteral("pgcDeclaracoes"));
    raiz->addWidget(pgcDeclaracoes, 3);

    // --- "Declarações" ---
    auto *pagDecl = new QWidget;
    pagDecl->setObjectName(QStringLiteral("tsDeclaracoes"));
    pgcDeclaracoes->addTab(pagDecl, QStringLiteral("Declarações"));
    auto *ld = new QHBoxLayout(pagDecl);
    auto *grpDecl = new QGroupBox(QStringLiteral("Declaração:"), pagDecl);
    grpDecl->setObjectName(QStringLiteral("grpDeclaracao"));
    auto *gd = new QGridLayout(grpDecl);
    campo(grpDecl, gd, 0, 0, "Inscrição Estadual", d, QStringLiteral("DEC_IE"));
    campo(grpDecl, gd, 0, 2, "Nome", d, QStringLiteral("DEC_NOME"), 3);
    auto *grpEnd = new QGroupBox(QStringLiteral("Endereço"), grpDecl);
    grpEnd->setObjectName(QStringLiteral("grpEndereco"));
    auto *ge = new QGridLayout(grpEnd);
    campo(grpEnd, ge, 0, 0, "Logradouro", d, QStringLiteral("CONT_ENDERECO"), 3);
    campo(grpEnd, ge, 0, 4, "Bairro", d, QStringLiteral("CONT_BAIRRO"));
    campo(grpEnd, ge, 1, 0, "CEP", d, QStringLiteral("CONT_CEP"));
    campo(grpEnd, ge, 1, 2, "Ag. Postal", d, QStringLiteral("CONT_AGPOSTAL"));
    campo(grpEnd, ge, 1, 4, "Caixa Postal", d, QStringLiteral("CONT_CXPOSTAL"));
    campo(grpEnd, ge, 2, 0, "DDD", d, QStringLiteral("CONT_DDD"));
    campo(grpEnd, ge, 2, 2, "Telefone", d, QStringLiteral("CONT_FONE"));
    campo(grpEnd, ge, 2, 4, "Município", d, QStringLiteral("Munic_Endereco"));
    auto *chkMudou = new QCheckBox(QStringLiteral("Mudou município"), grpEnd);
    chkMudou->setObjectName(QStringLiteral("chkMudouMunicipio"));
    auto *chkSubst = new QCheckBox(QStringLiteral("Substituição"), grpEnd);
    chkSubst->setObjectName(QStringLiteral("chkSubstituicao"));
    for (QCheckBox *c : {chkMudou, chkSubst}) { // shows, never changes
        c->setAttribute(Qt::WA_TransparentForMouseEvents);
        c->setFocusPolicy(Qt::NoFocus);
    }
    ligacoes->ligaSN(chkMudou, d, QStringLiteral("DEC_MUDOUMUNIC"));
    ligacoes->ligaSN(chkSubst, d, QStringLiteral("DEC_SUBSTITUICAO"));
    ge->addWidget(chkMudou, 3, 1);
    ge->addWidget(chkSubst, 3, 3);
    gd->addWidget(grpEnd, 1, 0, 1, 6);
    campo(grpDecl, gd, 2, 0, "Município informado", d, QStringLiteral("NOME_MUNICIPIO"));
    campo(grpDecl, gd, 2, 2, "Mês inicial:", d, QStringLiteral("DEC_MES_INICIAL"));
    campo(grpDecl, gd, 2, 4, "Mês final:", d, QStringLiteral("DEC_MES_FINAL"));
    campo(grpDecl, gd, 3, 0, "E-Mail", d, QStringLiteral("CONT_MAIL"), 3);
    campo(grpDecl, gd, 4, 0, "Regime recolhimento", d, QStringLiteral("REG_CODIGO"));
    gd->addWidget(edicao(grpDecl, d, QStringLiteral("Regime_nome")), 4, 2, 1, 4);
    campo(grpDecl, gd, 5, 0, "Tipo contribuinte", d, QStringLiteral("Tipo_descricao"), 3);
    campo(grpDecl, gd, 6, 0, "CNAE", d, QStringLiteral("CNAEF_ID"));
    gd->addWidget(edicao(grpDecl, d, QStringLiteral("DESMEMBRAMENTO")), 6, 2);
    gd->addWidget(edicao(grpDecl, d, QStringLiteral("DescricaoCNAEF"), true), 7, 1, 1, 5);
    ld->addWidget(grpDecl, 3);

    auto *valores = new QVBoxLayout;
    ld->addLayout(valores, 1);
    // this year's values and last year's, side by side in the same five rows
    auto grupoValores = [&](const QString &titulo, const QString &nome, const QStringList &dosVaf,
                            const QString &doEstoque) {
        auto *g = new QGroupBox(titulo, pagDecl);
        g->setObjectName(nome);
        auto *grade = new QGridLayout(g);
        static const char *const rotulos[] = {"Saídas", "Entradas", "Outras entradas", "Valor do VAF"};
        for (int i = 0; i < dosVaf.size(); ++i)
            campo(g, grade, i, 0, rotulos[i], vaf, dosVaf[i]);
        campo(g, grade, int(dosVaf.size()), 0, "Estoque", est, doEstoque);
        for (QLineEdit *e : g->findChildren<QLineEdit *>())
            e->setAlignment(Qt::AlignRight);
        valores->addWidget(g);
    };
    grupoValores(QStringLiteral(" Valores declarados "), QStringLiteral("grpValoresDeclarados"),
                 {QStringLiteral("SAIDAS_VAF"), QStringLiteral("ENTRADAS_VAF"),
                  QStringLiteral("OUTRAS_ENTRADAS_VAF"), QStringLiteral("TOTAL_GERAL_VAF")},
                 QStringLiteral("TOTAL_FINAL"));
    grupoValores(QStringLiteral("Valores ano anterior"), QStringLiteral("grpValoresAnoAnterior"),
                 {QStringLiteral("TOTAL_GERAL_SAIDAS_ANT"), QStringLiteral("TOTAL_GERAL_ENTRADAS_ANT"),
                  QStringLiteral("TOTAL_GERAL_OUTRAS_ENTRADAS_AN"),
                  QStringLiteral("TOTAL_GERAL_VAF_ANO_ANTERIOR")},
                 QStringLiteral("TOTAL_INICIAL"));
    // the status and the taxpayer's absence, bold and without a frame
    auto texto = [&](const QString &nome, const QString &campoDs) {
        auto *e = qobject_cast<QLineEdit *>(edicao(pagDecl, d, campoDs));
        e->setObjectName(nome);
        e->setFrame(false);
        QFont f = e->font();
        f.setBold(true);
        f.setPointSize(f.pointSize() + 2);
        e->setFont(f);
        e->setStyleSheet(QStringLiteral("background: transparent;"));
        valores->addWidget(e);
        return e;
    };
    dbeStatusDeclaracao = texto(QStringLiteral("dbeStatusDeclaracao"), QStringLiteral("Situacao"));
    dbeNaoConstaAtivos = texto(QStringLiteral("dbeNaoConstaAtivos"), QStringLiteral("NaoConstaAtivos"));
    dbeNaoConstaAtivos->setStyleSheet(QStringLiteral("background: transparent; color: red;"));
    // red unless it is exactly "Entregue"
    connect(dbeStatusDeclaracao, &QLineEdit::textChanged, this, [this](const QString &t) {
        dbeStatusDeclaracao->setStyleSheet(t == u"Entregue"
                                               ? QStringLiteral("background: transparent; color: black;")
                                               : QStringLiteral("background: transparent; color: red;"));
    });
    emit dbeStatusDeclaracao->textChanged(dbeStatusDeclaracao->text());
    valores->addStretch(1);

    // --- "Responsável" ---
    auto *pagResp = new QWidget;
    pagResp->setObjectName(QStringLiteral("tsResponsavel"));
    pgcDeclaracoes->addTab(pagResp, QStringLiteral("Responsável"));
    auto *gr = new QGridLayout(pagResp);
    campo(pagResp, gr, 0, 0, "Nome", d, QStringLiteral("RESP_NOME"), 3);
    campo(pagResp, gr, 0, 4, "CGC/CPF", d, QStringLiteral("RESP_CGC_CPF"));
    campo(pagResp, gr, 1, 0, "Cargo/Função", d, QStringLiteral("RESP_CARGO"), 3);
    campo(pagResp, gr, 2, 0, "Endereço", d, QStringLiteral("RESP_ENDERECO"), 3);
    campo(pagResp, gr, 2, 4, "Bairro", d, QStringLiteral("RESP_BAIRRO"));
    campo(pagResp, gr, 3, 0, "CEP", d, QStringLiteral("RESP_CEP"));
    campo(pagResp, gr, 3, 2, "Município", d, QStringLiteral("RESP_MUNICIPIO"));
    campo(pagResp, gr, 3, 4, "UF", d, QStringLiteral("RESP_UF"));
    campo(pagResp, gr, 4, 0, "Ag. Postal", d, QStringLiteral("RESP_CXAGENCIA"));
    campo(pagResp, gr, 4, 2, "Caixa Postal", d, QStringLiteral("RESP_CXPOSTAL"));
    campo(pagResp, gr, 5, 0, "DDD", d, QStringLiteral("RESP_DDD"));
    campo(pagResp, gr, 5, 2, "Telefone", d, QStringLiteral("RESP_TELEFONE"));
    campo(pagResp, gr, 6, 0, "Mail", d, QStringLiteral("RESP_MAIL"), 3);
    gr->setRowStretch(7, 1);

    // --- "Histórico" ---
    auto *pagHist = new QWidget;
    pagHist->setObjectName(QStringLiteral("tsHistorico"));
    pgcDeclaracoes->addTab(pagHist, QStringLiteral("Histórico"));
    auto *lh = new QVBoxLayout(pagHist);
    grdHistorico = new QTableView(pagHist);
    grdHistorico->setObjectName(QStringLiteral("grdHistorico"));
    auto *mh = new DataSetModel(m_dm.cdsDec_Historico, grdHistorico);
    mh->setColunas({"HIST_PROTOCOLO", "HIST_DATA", "HIST_HORA", "HIST_PROCESS", "HIST_ROTEIRO", "HIST_TIPO",
                    "HIST_SUBSTITUI", "HIST_ENTRADAS", "HIST_OUTRASENT", "HIST_SAIDAS", "HIST_VAF",
                    "HIST_SITUACAO", "HIST_RESPCPFCGC", "DEC_VALIDACAO"},
                   {"Protocolo", "Data", "Hora", "Processamento", "Roteiro", "Tipo", "Substituição",
                    "Entradas", "Outras Entradas", "Saídas", "Vaf", "Situação", "CGC CPF Responsável",
                    "Validação"});
    LigaGrade(grdHistorico, mh, m_dm.cdsDec_Historico);
    lh->addWidget(grdHistorico, 2);
    grdErros = new QTableView(pagHist);
    grdErros->setObjectName(QStringLiteral("grdErros"));
    auto *me = new DataSetModel(m_dm.cdsHist_Erros, grdErros);
    me->setColunas({"ERRO_CODIGO", "NomeErro"}, {"Código Erro", "Descrição do erro"});
    LigaGrade(grdErros, me, m_dm.cdsHist_Erros);
    grdErros->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    lh->addWidget(grdErros, 1);

    // --- the list ---
    grdDeclaracoes = new QTableView(this);
    grdDeclaracoes->setObjectName(QStringLiteral("grdDeclaracoes"));
    auto *md = new DataSetModel(d, grdDeclaracoes);
    md->setColunas(
        {QStringLiteral("DEC_IE"), QStringLiteral("DEC_NOME"), QStringLiteral("Situacao")},
        {QStringLiteral("Inscrição Estadual"), QStringLiteral("Nome"), QStringLiteral("Situacao")});
    LigaGrade(grdDeclaracoes, md, d);
    grdDeclaracoes->setColumnWidth(0, 160);
    grdDeclaracoes->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    raiz->addWidget(grdDeclaracoes, 2);

    // --- bottom bar ---
    auto *barra = new QHBoxLayout;
    raiz->addLayout(barra);
    barra->addWidget(NovoRotulo(this, "Label1", QStringLiteral("Procurar por:")));
    cmbCampoPesquisa = new QComboBox(this);
    cmbCampoPesquisa->setObjectName(QStringLiteral("cmbCampoPesquisa"));
    cmbCampoPesquisa->addItems({QStringLiteral("Inscrição Estadual"), QStringLiteral("Nome Comercial")});
    barra->addWidget(cmbCampoPesquisa);
    edtPesquisa = NovaCaixaPesquisa(this, kDica);
    barra->addWidget(edtPesquisa);
    sbtnFiltro = new QToolButton(this);
    sbtnFiltro->setObjectName(QStringLiteral("sbtnFiltro"));
    sbtnFiltro->setText(QStringLiteral("Filtrar"));
    sbtnFiltro->setCheckable(true);
    sbtnFiltro->setToolTip(kDica);
    connect(sbtnFiltro, &QToolButton::clicked, this, &TfrmDeclaracoes::sbtnFiltroClick);
    barra->addWidget(sbtnFiltro);
    barra->addSpacing(20);
    barra->addWidget(NovoRotulo(this, "Label2", QStringLiteral("Mostrar:")));
    cmbPesquisa = new QComboBox(this);
    cmbPesquisa->setObjectName(QStringLiteral("cmbPesquisa"));
    cmbPesquisa->addItems({QStringLiteral("Todas"), QStringLiteral("Aceitas"), QStringLiteral("Recusadas")});
    cmbPesquisa->setCurrentIndex(-1);
    connect(cmbPesquisa, &QComboBox::activated, this, &TfrmDeclaracoes::cmbPesquisaChange);
    barra->addWidget(cmbPesquisa);
    barra->addSpacing(20);
    sbtnRelatorios = new QToolButton(this);
    sbtnRelatorios->setObjectName(QStringLiteral("sbtnRelatorios"));
    sbtnRelatorios->setText(QStringLiteral("Relatórios"));
    sbtnRelatorios->setToolTip(QStringLiteral("Relatórios"));
    sbtnRelatorios->setEnabled(false); // the printouts arrive with the print dialog
    barra->addWidget(sbtnRelatorios);
    barra->addStretch(1);
    btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    connect(btnFechar, &QPushButton::clicked, this, &QWidget::close);
    barra->addWidget(btnFechar);

    new TeclasNavegacao(this, [this](QObject *o) {
        if (o == edtPesquisa && grdDeclaracoes->isEnabled() && grdDeclaracoes->isVisible()) {
            sbtnFiltroClick();
            grdDeclaracoes->setFocus();
            return true;
        }
        if (o == grdDeclaracoes && edtPesquisa->isEnabled() && edtPesquisa->isVisible()) {
            edtPesquisa->setFocus();
            return true;
        }
        return false;
    });
}

void TfrmDeclaracoes::sbtnFiltroClick()
{
    m_filtrando = m_navega.pesquisa(static_cast<NavegaDeclaracoes::Campo>(cmbCampoPesquisa->currentIndex()),
                                    edtPesquisa->text(), m_filtrando);
    sbtnFiltro->setChecked(m_filtrando);
}

void TfrmDeclaracoes::cmbPesquisaChange()
{
    m_navega.status(static_cast<NavegaDeclaracoes::Status>(std::max(0, cmbPesquisa->currentIndex())));
    edtPesquisa->clear();
    sbtnFiltro->setChecked(m_filtrando); // keeps its state
}

void TfrmDeclaracoes::closeEvent(QCloseEvent *e)
{
    m_navega.fecha();
    QWidget::closeEvent(e);
}
