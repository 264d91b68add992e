#include "maintenance/widgets/frmlimpezabase.h"

#include "data/tdmprincipal.h"
#include "maintenance/esvaziabase.h"
#include "shell/orbelerror.h"
#include "shell/userinterface.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmLimpezaBase::TfrmLimpezaBase(TdmPrincipal &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("frmLimpezaBase"));
    setWindowTitle(QStringLiteral("Parâmetro para limpeza da base"));
    auto *raiz = new QVBoxLayout(this);
    auto *grupo = new QGroupBox(QStringLiteral("Excluir :"), this);
    grupo->setObjectName(QStringLiteral("rgExcluir"));
    auto *gl = new QVBoxLayout(grupo);
    rbTodos = new QRadioButton(QStringLiteral("Todos"), grupo);
    rbRetorno = new QRadioButton(QStringLiteral("Dados de retorno"), grupo);
    rbAtivos = new QRadioButton(QStringLiteral("Contribuintes ativos"), grupo);
    rbTodos->setObjectName(QStringLiteral("rbTodos"));
    rbRetorno->setObjectName(QStringLiteral("rbRetorno"));
    rbAtivos->setObjectName(QStringLiteral("rbAtivos"));
    rbTodos->setChecked(true);
    gl->addWidget(rbTodos);
    gl->addWidget(rbRetorno);
    gl->addWidget(rbAtivos);
    raiz->addWidget(grupo);
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    botoes->addWidget(btnOK);
    botoes->addWidget(btnFechar);
    raiz->addLayout(botoes);
    connect(btnOK, &QPushButton::clicked, this, &TfrmLimpezaBase::btnOKClick);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

void TfrmLimpezaBase::btnOKClick()
{
    UserInterface &ui = m_dm.ui();
    if (ui.mensagem(QStringLiteral("Limpar base de dados"),
                    QStringLiteral("ATENÇÃO: Todos os dados da base serão perdidos.\r\n"
                                   "É extremamente recomendável que seja efetuada cópia de segurança\r\n"
                                   "antes de continuar com este procedimento.\r\n"
                                   "Confirma limpeza dos dados selecionados?"),
                    UserInterface::Icone::Erro,
                    UserInterface::Botoes(UserInterface::Sim) | UserInterface::Nao) != UserInterface::Sim)
        return;
    const QString opcao = rbTodos->isChecked()     ? QStringLiteral("T")
                          : rbRetorno->isChecked() ? QStringLiteral("R")
                                                   : QStringLiteral("A");
    ui.aguarde(QStringLiteral("Efetuando limpeza da base..."));
    try {
        EsvaziaBase(m_dm, opcao);
        ui.aguarde(QString());
    } catch (const std::exception &e) {
        ui.aguarde(QString());
        ui.mostraErro(mensagemDe(e));
    }
}
