#include "app/language_dlg.h"

#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

QRadioButton *Choice(CLanguageDlg &dialog, const QString &text)
{
    for (QRadioButton *button : dialog.findChildren<QRadioButton *>())
        if (button->text().remove('&') == text)
            return button;
    return nullptr;
}

// Choosing German by OK is part of the start-up test.
TEST(LanguageDialog, ReturnGivesTheCheckedLanguageAndEscapeEnglishWhateverIsChecked)
{
    CLanguageDlg dialog;
    dialog.show();
    QRadioButton *english = Choice(dialog, "English (default)");
    QRadioButton *german = Choice(dialog, "German / Deutsch");
    ASSERT_NE(german, nullptr);
    ASSERT_NE(english, nullptr);
    EXPECT_TRUE(english->isChecked());
    german->click();
    english->click();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.LanguageCode(), 'E');

    dialog.show();
    german->click();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.LanguageCode(), 'E');
}

} // namespace
