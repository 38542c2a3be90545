#include "app/language_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

// The dialog comes before any language is loaded, so its texts are always
// the English ones.
CLanguageDlg::CLanguageDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_english(new QRadioButton(QStringLiteral("English (default)")))
    , m_german(new QRadioButton(QStringLiteral("German / Deutsch")))
{
    setWindowTitle(QStringLiteral("Language"));

    auto *choices = new QButtonGroup(this);
    choices->addButton(m_english, 0);
    choices->addButton(m_german, 1);
    auto *group = new QGroupBox(QStringLiteral("Please select a language"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_english);
    groupLayout->addWidget(m_german);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLanguageDlg::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    DoDataExchange(false);
}

void CLanguageDlg::accept()
{
    OnOK();
}

void CLanguageDlg::DoDataExchange(bool saveAndValidate)
{
    if (saveAndValidate)
        m_radioChoice = m_german->isChecked() ? 1 : 0;
    else
        (m_radioChoice == 1 ? m_german : m_english)->setChecked(true);
}

void CLanguageDlg::OnOK()
{
    DoDataExchange(true);
    m_languageCode = m_radioChoice == 1 ? 'D' : 'E';
    QDialog::accept();
}
