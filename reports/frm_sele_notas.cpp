#include "frm_sele_notas.h"

#include "controls/db_grid.h"
#include "data/dm_dados.h"
#include "platform/guarded.h"
#include "platform/message_service.h"
#include "reports/correction_window.h"
#include "reports/qr_nota.h"
#include "shell/main_window.h"
#include "shell/window_placement.h"
#include "shell/window_reuse.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTimer>
#include <QScrollBar>
#include <QVBoxLayout>

namespace meru {

using platform::guarded;
using platform::messages;

QPointer<Tfrm_sele_notas> frm_sele_notas;

namespace {

const QString kNaoEnviadas = QStringLiteral("mov_tp_gerado = 'N'");
const QString kEnviadas = QStringLiteral("(mov_tp_gerado = 'S')or(mov_tp_gerado = 'G')");

// Obtains the report form by the reuse rule, owned by the list.
Tqr_nota* relatorio(Tfrm_sele_notas* list) {
    if (!frm_menu->form_aberto(qr_nota)) qr_nota = new Tqr_nota(list);
    return qr_nota;
}

}  // namespace

Tfrm_sele_notas::Tfrm_sele_notas(QWidget* owner) : Form(owner) {
    setObjectName(QStringLiteral("frm_sele_notas"));
    setWindowTitle(QStringLiteral("Listagem de Notas Fiscais"));

    tab_movimento = new Table(QStringLiteral("tab_movimento"), dm_dados->Database1, this);
    tab_movimento->setTableName(QStringLiteral("movimento"));
    tab_movimento->setFilter(kNaoEnviadas);
    tab_movimento->setFiltered(true);
    ds_movimento = new DataSource(QStringLiteral("ds_movimento"), nullptr, this);
    bindOnCreate(ds_movimento, tab_movimento);

    GroupBox1 = new QGroupBox(QString::fromUtf8("Notas Fiscais (Não Enviadas)"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));

    GroupBox2 = new QGroupBox(QStringLiteral("Controle de Notas"), GroupBox1);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* buttons = new QHBoxLayout(GroupBox2);
    auto button = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, GroupBox2);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(true);
        buttons->addWidget(b);
        return b;
    };
    BitBtn1 = button("BitBtn1", QStringLiteral("Modificar Dados"));
    BitBtn2 = button("BitBtn2", QStringLiteral("Excluir Nota F."));
    BitBtn3 = button("BitBtn3", QStringLiteral("Vizualizar Nota F."));
    BitBtn4 = button("BitBtn4", QStringLiteral("Imprimir"));
    BitBtn5 = button("BitBtn5", QStringLiteral("&Sair"));

    GroupBox3 = new QGroupBox(QStringLiteral("Notas:"), GroupBox1);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto* radios = new QHBoxLayout(GroupBox3);
    RadioButton1 = new QRadioButton(QStringLiteral("Enviadas"), GroupBox3);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QString::fromUtf8("Não Enviadas"), GroupBox3);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setChecked(true);
    radios->addWidget(RadioButton1);
    radios->addWidget(RadioButton2);

    dbgrid_movimento_atual = new controls::DBGrid(GroupBox1);
    dbgrid_movimento_atual->setObjectName(QStringLiteral("dbgrid_movimento_atual"));
    dbgrid_movimento_atual->setTabKeyNavigation(true);
    dbgrid_movimento_atual->setDataSource(ds_movimento);
    const Qt::Alignment left = Qt::AlignLeft, centre = Qt::AlignHCenter;
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_cd_cnpj"), QStringLiteral("CNPJ"), left, left);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_nr_nf"), QString::fromUtf8("Nº. Nota F."), centre, centre);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_vl_valor"), QStringLiteral("Valor Nota F."), centre, centre);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_dt_notaf"), QStringLiteral("Data Nota F."), left, left);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_tp_retificadora"), QStringLiteral("Retificadora?"), centre,
                                      centre);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_nr_inscricao"), QStringLiteral("Insc. Estadual"), centre, left);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_nr_processo"), QString::fromUtf8("Nº. Processo"), centre, left);

    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox2);
    top->addWidget(GroupBox3);
    top->addStretch();
    auto* inside = new QVBoxLayout(GroupBox1);
    inside->addLayout(top);
    inside->addWidget(dbgrid_movimento_atual);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);

    QWidget* order[] = {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, RadioButton1, RadioButton2, dbgrid_movimento_atual};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(RadioButton1, &QRadioButton::clicked, this, guarded([this] { RadioButton1Click(); }));
    connect(RadioButton2, &QRadioButton::clicked, this, guarded([this] { RadioButton2Click(); }));
    connect(BitBtn1, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, guarded([this] { BitBtn2Click(); }));
    connect(BitBtn3, &QPushButton::clicked, this, guarded([this] { BitBtn3Click(); }));
    connect(BitBtn4, &QPushButton::clicked, this, guarded([this] { BitBtn4Click(); }));
    connect(BitBtn5, &QPushButton::clicked, this, guarded([this] { BitBtn5Click(); }));

    ajusta_tamanho();
}

void Tfrm_sele_notas::FormCreate() {
    tab_movimento->open();
    tab_movimento->fieldByName(QStringLiteral("mov_vl_valor"))->setCurrency(true);
    frm_menu->desabilita_menus();
    ajusta_tamanho();
}

void Tfrm_sele_notas::FormClose(CloseAction& Action) {
    frm_menu->habilita_menus();
    Action = CloseAction::Free;
}

// Wide enough for the seven columns, some twelve rows high, centred on the screen.
void Tfrm_sele_notas::ajusta_tamanho() {
    controls::DBGrid* grid = dbgrid_movimento_atual;
    int width = grid->verticalHeader()->width() + grid->verticalScrollBar()->sizeHint().width() + 2 * grid->frameWidth();
    for (int c = 0; c < grid->horizontalHeader()->count(); ++c) width += grid->columnWidth(c);
    const int height = grid->horizontalHeader()->sizeHint().height() + 12 * grid->verticalHeader()->defaultSectionSize() +
                       grid->horizontalScrollBar()->sizeHint().height() + 2 * grid->frameWidth();
    grid->setMinimumSize(width, height);
    if (layout()) layout()->activate();
    adjustSize();
    centerOnScreen(this);
}

// Centred once it has its final size, which it takes only when first shown.
void Tfrm_sele_notas::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (placed_) return;
    placed_ = true;
    QTimer::singleShot(0, this, [this] { centerOnScreen(this); });
}

void Tfrm_sele_notas::mostra_enviadas(bool enviadas) {
    GroupBox1->setTitle(enviadas ? QStringLiteral("Notas Fiscais (Enviadas)")
                                 : QString::fromUtf8("Notas Fiscais (Não enviadas)"));
    BitBtn1->setEnabled(!enviadas);
    BitBtn2->setEnabled(!enviadas);
    tab_movimento->setFilter(enviadas ? kEnviadas : kNaoEnviadas);
    tab_movimento->refresh();
}

void Tfrm_sele_notas::RadioButton1Click() { mostra_enviadas(RadioButton1->isChecked()); }

void Tfrm_sele_notas::RadioButton2Click() { mostra_enviadas(!RadioButton2->isChecked()); }

// The correction window is given nothing: it works on the open month through
// the data module, not on the row chosen here.
void Tfrm_sele_notas::BitBtn1Click() {
    QWidget* correcao = abre_correcao(this);
    if (!correcao) return;
    hide();
    showWindow(correcao);
}

void Tfrm_sele_notas::BitBtn2Click() {
    if (messages().confirmYesNo(QString::fromUtf8("Você está prestes a Excluir uma Nota Fiscal, Continuar?")) !=
        platform::Answer::Yes)
        return;
    exclui_nota();
}

// The list is not refreshed while it is hidden, and a month can be closed
// meanwhile: the row it shows may have been sent or deleted since. A sent
// invoice is never deleted, or it could be typed and sent again.
void Tfrm_sele_notas::exclui_nota() {
    if (tab_movimento->isEmpty()) {
        tab_movimento->remove();  // refused: there is no current row
        return;
    }
    const QVariant controle = tab_movimento->fieldByName(QStringLiteral("mov_cd_controle"))->value();
    Query situacao(QStringLiteral("qry_situacao"), dm_dados->Database1);
    situacao.setSql({QStringLiteral("select * from movimento"), QStringLiteral("where mov_cd_controle = :controle")});
    situacao.setParam(QStringLiteral("controle"), controle);
    situacao.open();
    const bool naoEnviada =
        !situacao.isEmpty() && situacao.fieldByName(QStringLiteral("mov_tp_gerado"))->asString() == QLatin1String("N");
    situacao.close();
    if (naoEnviada) {
        tab_movimento->remove();
        return;
    }
    const int row = tab_movimento->recNo();
    messages().inform(QString::fromUtf8("Esta Nota Fiscal já foi enviada ou excluída e não pode ser excluída.\r"
                                        "A lista será atualizada."));
    tab_movimento->refresh();
    if (tab_movimento->rowCount() > 0) tab_movimento->moveTo(std::min(row, tab_movimento->rowCount() - 1));
}

void Tfrm_sele_notas::BitBtn3Click() { relatorio(this)->QuickRep1->Preview(); }

void Tfrm_sele_notas::BitBtn4Click() { relatorio(this)->QuickRep1->Print(); }

void Tfrm_sele_notas::BitBtn5Click() { close(); }

}  // namespace meru
