#include "gui/do_alert_dialog.h"

#include "gui/core_text.h"
#include "gui/dialog_controls.h"
#include "gui/do_alert_preview_painter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kovra {

namespace {

// The picture stands where the template has 100 x 100 dialog units; the values beside it.
const QSize kPictureSize(200, 230);
constexpr int kLabelGap = 4;
constexpr int kLabelWidth = 88;

} // namespace

DoAlertDialog::DoAlertDialog(DoAlertForm& form, QWidget* parent, AnalogMessage message)
    : QDialog(parent)
    , m_form(form)
    , m_message(message ? std::move(message) : AnalogMessage(showAnalogMessageBox))
{
    setWindowTitle(tr("DOアラート設定"));

    m_monitoredInput = withId(new QComboBox, kIdMonitoredInput);
    m_monitoredInput->addItems({ tr("AI1"), tr("AI2"), tr("AI3") });
    m_ledCondition = withId(new QComboBox, kIdLedCondition);
    m_ledCondition->addItems({ tr("範囲内"), tr("範囲外") });
    m_direction = withId(new QComboBox, kIdDirection);
    m_direction->addItems({ tr("消灯閾値優先"), tr("点灯閾値優先") });
    m_high = withId(new QLineEdit, kIdHigh);
    m_low = withId(new QLineEdit, kIdLow);
    m_width = withId(new QLineEdit, kIdWidth);
    for (auto& unit : m_units)
        unit = new QLabel;

    auto* choices = new QFormLayout;
    choices->addRow(tr("監視対象AI"), m_monitoredInput);
    choices->addRow(tr("LED点灯条件"), m_ledCondition);

    m_caption = withId(new QGroupBox, kIdCaption);
    auto* thresholds = new QGridLayout(m_caption);
    QLineEdit* boxes[] = { m_high, m_low, m_width };
    const QString names[] = { tr("High"), tr("Low"), tr("幅") };
    for (int row = 0; row < 3; ++row) {
        thresholds->addWidget(new QLabel(names[row]), row, 0);
        thresholds->addWidget(boxes[row], row, 1);
        thresholds->addWidget(m_units[size_t(row)], row, 2);
    }
    thresholds->addWidget(new QLabel(tr("方向")), 3, 0);
    thresholds->addWidget(m_direction, 3, 1, 1, 2);

    auto* fields = new QVBoxLayout;
    fields->addLayout(choices);
    fields->addWidget(m_caption);
    fields->addStretch();

    auto* ok = withId(new QPushButton(tr("OK")), kIdOk);
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* body = new QHBoxLayout;
    body->addLayout(fields);
    body->addWidget(buildPreviewPane(), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);

    m_monitoredInput->setCurrentIndex(m_form.monitoredInput());
    m_direction->setCurrentIndex(m_form.direction());
    showInput();

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_monitoredInput, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.selectMonitoredInput(index);
        showInput();
    });
    connect(m_ledCondition, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.setLedCondition(index);
        showPreview();
    });
    connect(m_direction, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.setDirection(index);
        showPreview();
    });
    connect(m_high, &QLineEdit::textEdited, this, [this] { enter(m_high, &DoAlertForm::enterHigh); });
    connect(m_low, &QLineEdit::textEdited, this, [this] { enter(m_low, &DoAlertForm::enterLow); });
    connect(m_width, &QLineEdit::textEdited, this, [this] { enter(m_width, &DoAlertForm::enterWidth); });
}

QWidget* DoAlertDialog::buildPreviewPane()
{
    auto* pane = new QWidget;
    pane->setFixedSize(kPictureSize.width() + kLabelGap + kLabelWidth, kPictureSize.height());
    m_picture = withId(new QLabel(pane), kIdPicture);
    m_picture->setGeometry(QRect(QPoint(0, 0), kPictureSize));
    m_picture->setFrameShape(QFrame::Box);
    const QRectF area(QPointF(0, 0), QSizeF(kPictureSize));
    const int labelHeight = fontMetrics().height() + 2;
    for (int i = 0; i < kDoAlertLabelCount; ++i) {
        auto* label = withId(new QLabel(pane), kIdFirstLabel + i);
        const int y = int(doAlertSlotY(i + 1, area) - labelHeight / 2.0);
        label->setGeometry(kPictureSize.width() + kLabelGap, y, kLabelWidth, labelHeight);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_labels[size_t(i)] = label;
    }
    return pane;
}

// The monitored input's values: LED condition, the three boxes, units and caption.
void DoAlertDialog::showInput()
{
    m_ledCondition->setCurrentIndex(m_form.ledCondition());
    m_high->setText(QString::fromStdString(m_form.highText()));
    m_low->setText(QString::fromStdString(m_form.lowText()));
    m_width->setText(QString::fromStdString(m_form.widthText()));
    const QString unit = coreText(analogEntryUnit(m_form.rangeType()).c_str());
    for (QLabel* label : m_units)
        label->setText(unit);
    m_caption->setTitle(tr("アナログ閾値 ( %1 )").arg(coreText(m_form.rangeName().c_str())));
    showPreview();
}

void DoAlertDialog::showPreview()
{
    const int picture = m_form.preview().picture;
    m_picture->setPixmap(
        renderDoAlertPicture(picture, m_form.ledCondition(), kPictureSize, devicePixelRatioF()));
    m_picture->setProperty("pictureNumber", picture);
    const auto texts = m_form.labelTexts();
    for (size_t i = 0; i < texts.size(); ++i)
        m_labels[i]->setText(QString::fromStdString(texts[i]));
}

void DoAlertDialog::enter(QLineEdit* box, AnalogEntryOutcome (DoAlertForm::*field)(const std::string&))
{
    const AnalogEntryOutcome outcome = (m_form.*field)(box->text().toStdString());
    applyAnalogEntry(box, outcome, m_message);
    showPreview();
}

bool openDoAlertDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    DoAlertDialog dialog(static_cast<DoAlertForm&>(form), parent);
    // OK has nothing to check: every entry is limited while it is typed.
    (void)ui;
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
