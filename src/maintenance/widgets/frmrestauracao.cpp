#include "maintenance/widgets/frmrestauracao.h"

#include "data/tdmprincipal.h"
#include "maintenance/restauracao.h"
#include "maintenance/widgets/tfprocessabackup.h"
#include "shell/diretorios.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QDir>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

TfrmRestauracao::TfrmRestauracao(TdmPrincipal &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("frmRestauracao"));
    setWindowTitle(QStringLiteral("Restaração de Cópia de Segurança"));
    auto *raiz = new QVBoxLayout(this);
    auto *grupo = new QGroupBox(QStringLiteral("Selecione o arquivo de backup a ser restaurado : "), this);
    grupo->setObjectName(QStringLiteral("GroupBox1"));
    auto *gl = new QHBoxLayout(grupo);
    auto *divisor = new QSplitter(grupo);
    m_pastas = new QFileSystemModel(this);
    m_pastas->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_pastas->setRootPath(QDir::rootPath());
    tvPastas = new QTreeView(divisor);
    tvPastas->setObjectName(QStringLiteral("tvPastas"));
    tvPastas->setModel(m_pastas);
    for (int c = 1; c < m_pastas->columnCount(); ++c)
        tvPastas->hideColumn(c);
    tvPastas->header()->hide();
    lstArquivos = new QListWidget(divisor);
    lstArquivos->setObjectName(QStringLiteral("lstArquivos"));
    divisor->setStretchFactor(0, 1);
    divisor->setStretchFactor(1, 1);
    gl->addWidget(divisor);
    raiz->addWidget(grupo);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    sbtnRestaura = new QPushButton(QStringLiteral("&Restaurar"), this);
    sbtnRestaura->setObjectName(QStringLiteral("sbtnRestaura"));
    btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    botoes->addWidget(sbtnRestaura);
    botoes->addWidget(btnFechar);
    raiz->addLayout(botoes);

    connect(tvPastas->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &atual) { mostraPasta(m_pastas->filePath(atual)); });
    connect(lstArquivos, &QListWidget::itemDoubleClicked, this, &TfrmRestauracao::sbtnRestauraClick);
    connect(sbtnRestaura, &QPushButton::clicked, this, &TfrmRestauracao::sbtnRestauraClick);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);

    const QString backup = DiretorioSistema() + QStringLiteral("Backup");
    const QString inicio = QDir(backup).exists() ? backup : QDir::homePath();
    m_inicio = inicio;
    const QModelIndex i = m_pastas->index(inicio);
    tvPastas->setCurrentIndex(i);
    tvPastas->expand(i);
    mostraPasta(inicio);
    // the tree fills in the background: bring the start folder into view as its parents arrive
    connect(m_pastas, &QFileSystemModel::directoryLoaded, this, [this, inicio](const QString &carregada) {
        if (m_rolou)
            return;
        if (QDir::cleanPath(carregada) == QDir::cleanPath(inicio))
            m_rolou = true;
        // after the view has laid the new rows out
        QTimer::singleShot(50, this, &TfrmRestauracao::mostraInicio);
    });
    resize(720, 420);
}

void TfrmRestauracao::mostraPasta(const QString &pasta)
{
    if (pasta.isEmpty())
        return;
    m_pasta = QDir::cleanPath(pasta);
    lstArquivos->clear();
    // every file of the folder, as the clerk may keep archives under any name
    const QStringList arquivos =
        QDir(m_pasta).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    lstArquivos->addItems(arquivos);
}

QString TfrmRestauracao::arquivoSelecionado() const
{
    const QListWidgetItem *item = lstArquivos->currentItem();
    if (!item || !item->isSelected())
        return {};
    return QDir(m_pasta).filePath(item->text());
}

void TfrmRestauracao::sbtnRestauraClick()
{
    try {
        RestauraCopiaSeguranca(m_dm, arquivoSelecionado(),
                               [this](ProcessaBackup &p) { return TfProcessaBackup::Executa(p, this); });
    } catch (const std::exception &e) {
        m_dm.ui().mostraErro(mensagemDe(e));
    }
}

void TfrmRestauracao::mostraInicio()
{
    tvPastas->scrollTo(m_pastas->index(m_inicio), QAbstractItemView::PositionAtCenter);
}

void TfrmRestauracao::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    QTimer::singleShot(50, this, &TfrmRestauracao::mostraInicio);
}
