#include "gui/do_modes_dialog.h"

#include "core/app/user_interface.h"
#include "core/functions/keep_alive_time_form.h"
#include "gui/dialog_controls.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kovra {

namespace {

// Grid columns of a DO row.
enum RowColumn { kNameColumn, kNormalColumn, kOnAtStartColumn, kOneShotColumn, kTimeColumn, kUnitColumn };

} // namespace

DoModesDialog::DoModesDialog(DoModesForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("その他の設定"));

    auto* keepAlive = new QFormLayout;
    keepAlive->addRow(tr("Keepalive time(sec):"), fieldEdit(m_form, kKeepAliveField, kIdKeepAlive));

    auto* grid = new QGridLayout;
    for (int i = 0; i < DoModesForm::kRowCount; ++i) {
        const RowIds& ids = kRowIds[size_t(i)];
        Row& row = m_rows[size_t(i)];
        row.name = new QLabel(tr("DO%1").arg(i + 1));
        row.modes[kDoNormal] = withId(new QRadioButton(tr("通常")), ids.normal);
        row.modes[kDoOnAtStart] = withId(new QRadioButton(tr("起動時ON")), ids.onAtStart);
        row.modes[kDoOneShot] = withId(new QRadioButton(tr("ワンショット")), ids.oneShot);
        row.time = fieldEdit(m_form, DoModesForm::timeFieldName(i), ids.time);
        row.time->setMaxLength(int(DoModesForm::kTimeEditLimit));
        row.unit = new QLabel(tr("x100msec"));

        auto* modes = new QButtonGroup(this);
        for (int mode = kDoNormal; mode <= kDoOneShot; ++mode)
            modes->addButton(row.modes[size_t(mode)], mode);
        connect(modes, &QButtonGroup::idClicked, this, [this, i](int mode) {
            m_form.setMode(i, mode);
            m_rows[size_t(i)].time->setEnabled(m_form.timeEnabled(i));
        });

        grid->addWidget(row.name, i, kNameColumn);
        grid->addWidget(row.modes[kDoNormal], i, kNormalColumn);
        grid->addWidget(row.modes[kDoOnAtStart], i, kOnAtStartColumn);
        grid->addWidget(row.modes[kDoOneShot], i, kOneShotColumn);
        grid->addWidget(row.time, i, kTimeColumn);
        grid->addWidget(row.unit, i, kUnitColumn);
    }

    auto* reset = withId(new QPushButton(tr("出力端子の設定を初期状態に戻す")), kIdReset);
    reset->setEnabled(m_form.resetEnabled());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(keepAlive);
    layout->addLayout(grid);
    layout->addWidget(reset, 0, Qt::AlignLeft);
    layout->addLayout(okCancelButtons(this, m_form, m_ui));
    showRows();

    connect(reset, &QPushButton::clicked, this, [this] {
        m_form.reset();
        showRows();
    });
}

void DoModesDialog::showRows()
{
    for (int i = 0; i < DoModesForm::kRowCount; ++i) {
        const Row& row = m_rows[size_t(i)];
        const bool enabled = m_form.rowEnabled(i);
        row.name->setEnabled(enabled);
        for (QRadioButton* mode : row.modes)
            mode->setEnabled(enabled);
        row.unit->setEnabled(enabled);
        row.modes[size_t(m_form.mode(i))]->setChecked(true);
        row.time->setText(QString::fromStdString(m_form.timeText(i)));
        row.time->setEnabled(m_form.timeEnabled(i));
    }
}

bool openDoModesDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* doModes = dynamic_cast<DoModesForm*>(&form);
    if (!doModes)
        return false;
    DoModesDialog dialog(*doModes, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
