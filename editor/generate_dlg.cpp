#include "editor/generate_dlg.h"

#include "core/constants.h"
#include "editor/pattern_preview.h"
#include "platform/resource_module.h"
#include "resources/string_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{

constexpr int DEFAULT_FADE_TIME = 10;
constexpr int MAX_SHARE = 100;

QString Text(int id)
{
    return ResourceModule::LoadString(id);
}

QSpinBox *SpinBox(int minimum, int maximum, int value, int suffixId = 0)
{
    auto *spin = new QSpinBox;
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    if (suffixId)
        spin->setSuffix(QLatin1Char(' ') + Text(suffixId));
    return spin;
}

// A row of the form: controls side by side.
QWidget *Row(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return row;
}

} // namespace

CGenerateDlg::CGenerateDlg(QWidget *parent, FreeRows freeRows, InsertRows insertRows)
    : QDialog(parent)
    , m_freeRows(std::move(freeRows))
    , m_insertRows(std::move(insertRows))
{
    const PatternParameters defaults;
    m_pattern = new QComboBox;
    static_assert(
        IDS_GENERATE_LAST_PATTERN_NAME - IDS_GENERATE_FIRST_PATTERN_NAME + 1 == std::size(ALL_PATTERNS));
    for (std::size_t i = 0; i < std::size(ALL_PATTERNS); ++i)
        m_pattern->addItem(Text(IDS_GENERATE_FIRST_PATTERN_NAME + int(i)));
    m_firstChannel = SpinBox(1, CHANNEL_COUNT, defaults.firstChannel);
    m_lastChannel = SpinBox(1, CHANNEL_COUNT, defaults.lastChannel);
    m_time = SpinBox(1, MAX_ROW_TIME, defaults.time, IDS_GENERATE_TICKS);
    m_repeat = SpinBox(1, MAX_ROWS, defaults.repeat);
    m_reverse = new QCheckBox(Text(IDS_GENERATE_REVERSE));
    m_shrink = new QCheckBox(Text(IDS_GENERATE_SHRINK));
    m_share = SpinBox(1, MAX_SHARE, defaults.share);
    m_share->setSuffix(QStringLiteral(" %"));
    m_seed = SpinBox(0, INT32_MAX, int(defaults.seed));
    m_fade = new QCheckBox(Text(IDS_GENERATE_FADE));
    m_fadeTime = SpinBox(0, MAX_FADE_PARAMETER, DEFAULT_FADE_TIME, IDS_GENERATE_TICKS);
    m_preview = new CPatternPreview;
    m_preview->setFixedSize(m_preview->sizeHint());
    m_rowCount = new QLabel;
    m_rowCount->setWordWrap(true);
    m_insert = new QPushButton(Text(IDS_GENERATE_INSERT));
    BuildControls();
    OnParametersChanged();
}

void CGenerateDlg::BuildControls()
{
    setWindowTitle(Text(IDS_GENERATE_TITLE));
    auto *purpose = new QLabel(Text(IDS_GENERATE_PURPOSE));
    purpose->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(Text(IDS_GENERATE_PATTERN), m_pattern);
    // Fields that share a row have names of their own for a screen reader.
    auto *to = new QLabel(Text(IDS_GENERATE_CHANNELS_TO));
    to->setBuddy(m_lastChannel);
    m_firstChannel->setAccessibleName(Text(IDS_GENERATE_CHANNELS));
    m_fadeTime->setAccessibleName(Text(IDS_GENERATE_FADE));
    form->addRow(Text(IDS_GENERATE_CHANNELS), Row({ m_firstChannel, to, m_lastChannel }));
    form->addRow(Text(IDS_GENERATE_TIME), m_time);
    form->addRow(Text(IDS_GENERATE_REPEAT), m_repeat);
    form->addRow(QString(), m_reverse);
    form->addRow(QString(), m_shrink);
    form->addRow(Text(IDS_GENERATE_SHARE), m_share);
    form->addRow(Text(IDS_GENERATE_SEED), m_seed);
    form->addRow(QString(), Row({ m_fade, m_fadeTime }));
    form->addRow(Text(IDS_GENERATE_PREVIEW), m_preview);

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(m_insert, QDialogButtonBox::AcceptRole);
    buttons->addButton(Text(IDS_GENERATE_CLOSE), QDialogButtonBox::RejectRole);
    m_insert->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGenerateDlg::OnInsert);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(purpose);
    layout->addLayout(form);
    layout->addWidget(m_rowCount);
    layout->addWidget(buttons);

    connect(m_pattern, &QComboBox::currentIndexChanged, this, &CGenerateDlg::OnParametersChanged);
    for (QSpinBox *spin : { m_firstChannel, m_lastChannel, m_time, m_repeat, m_share, m_seed, m_fadeTime })
        connect(spin, &QSpinBox::valueChanged, this, &CGenerateDlg::OnParametersChanged);
    for (QCheckBox *box : { m_reverse, m_shrink, m_fade })
        connect(box, &QCheckBox::toggled, this, &CGenerateDlg::OnParametersChanged);
}

PatternParameters CGenerateDlg::Parameters() const
{
    PatternParameters parameters;
    parameters.kind = ALL_PATTERNS[static_cast<std::size_t>(std::max(0, m_pattern->currentIndex()))];
    parameters.firstChannel = m_firstChannel->value();
    parameters.lastChannel = m_lastChannel->value();
    parameters.time = m_time->value();
    parameters.repeat = m_repeat->value();
    parameters.reverse = m_reverse->isChecked();
    parameters.shrink = m_shrink->isChecked();
    parameters.share = m_share->value();
    parameters.seed = static_cast<std::uint32_t>(m_seed->value());
    if (m_fade->isChecked())
        parameters.fade = static_cast<std::uint16_t>(m_fadeTime->value());
    return parameters;
}

void CGenerateDlg::OnParametersChanged()
{
    const PatternParameters parameters = Parameters();
    const bool twinkle = parameters.kind == PatternKind::Twinkle;
    m_reverse->setEnabled(!twinkle);
    m_shrink->setEnabled(parameters.kind == PatternKind::Fill);
    m_share->setEnabled(twinkle);
    m_seed->setEnabled(twinkle);
    m_fadeTime->setEnabled(m_fade->isChecked());

    QString refusal;
    const std::vector<SequenceRow> rows = RowsOrRefusal(refusal);
    m_preview->SetRows(rows);
    m_rowCount->setText(refusal.isEmpty() ? Text(IDS_GENERATE_ROW_COUNT).arg(rows.size()) : refusal);
    m_insert->setEnabled(refusal.isEmpty());
    // A refusal may take more lines than the window has room for.
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > height())
        resize(width(), needed);
}

std::vector<SequenceRow> CGenerateDlg::RowsOrRefusal(QString &refusal) const
{
    const PatternParameters parameters = Parameters();
    // As pemblo-cli refuses --channels 6-3.
    if (parameters.firstChannel > parameters.lastChannel) {
        refusal = Text(IDS_GENERATE_CHANNELS_REVERSED);
        return {};
    }
    const int freeRows = m_freeRows();
    GeneratedRows generated = GeneratePattern(parameters, freeRows);
    if (generated.slowestFade)
        refusal = Text(IDS_GENERATE_FADE_TOO_SLOW).arg(*parameters.fade).arg(*generated.slowestFade);
    else if (!generated.refusal.empty())
        refusal = Text(IDS_GENERATE_DOES_NOT_FIT).arg(PatternRowCount(parameters)).arg(freeRows);
    return std::move(generated.rows);
}

void CGenerateDlg::OnInsert()
{
    // The editor may have changed since the rows were counted.
    QString refusal;
    const std::vector<SequenceRow> rows = RowsOrRefusal(refusal);
    if (!refusal.isEmpty()) {
        OnParametersChanged();
        return;
    }
    if (!m_insertRows(rows, Text(IDS_GENERATE_CHANGE).arg(m_pattern->currentText()))) {
        m_rowCount->setText(Text(IDS_GENERATE_NO_SELECTION));
        return;
    }
    accept();
}
