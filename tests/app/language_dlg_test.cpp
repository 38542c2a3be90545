#include "app/language_dlg.h"

#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

// Choosing German by OK is part of the start-up test.
TEST(LanguageDialog, EscapeLeavesEnglishWhateverIsChecked)
{
    CLanguageDlg dialog;
    dialog.show();
    dialog.findChildren<QRadioButton *>().last()->click();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.LanguageCode(), 'E');
}
