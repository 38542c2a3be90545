#include "app/language_dlg.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{

template <class Button> Button *Find(CLanguageDlg &dialog, const QString &text)
{
    for (Button *button : dialog.findChildren<Button *>())
        if (button->text().remove('&') == text)
            return button;
    return nullptr;
}

QRadioButton *German(CLanguageDlg &dialog)
{
    return Find<QRadioButton>(dialog, "German / Deutsch");
}

} // namespace

TEST(LanguageDialog, StartsOnEnglishAndOkOrReturnGivesTheCheckedLanguage)
{
    CLanguageDlg german;
    EXPECT_EQ(german.windowTitle(), "Language");
    EXPECT_FALSE(german.windowFlags() & Qt::WindowCloseButtonHint);
    ASSERT_NE(German(german), nullptr);
    EXPECT_TRUE(Find<QRadioButton>(german, "English (default)")->isChecked());
    QTimer::singleShot(0, &german, [&] {
        German(german)->click();
        QTest::mouseClick(Find<QPushButton>(german, "OK"), Qt::LeftButton);
    });
    EXPECT_EQ(german.DoModal(), QDialog::Accepted);
    EXPECT_EQ(german.LanguageCode(), 'D');

    CLanguageDlg english;
    english.show();
    German(english)->click();
    Find<QRadioButton>(english, "English (default)")->click();
    QTest::keyClick(&english, Qt::Key_Return);
    EXPECT_EQ(english.result(), QDialog::Accepted);
    EXPECT_EQ(english.LanguageCode(), 'E');
}

TEST(LanguageDialog, EscapeLeavesEnglishWhateverIsChecked)
{
    CLanguageDlg dialog;
    QTimer::singleShot(0, &dialog, [&] {
        German(dialog)->click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
    EXPECT_EQ(dialog.LanguageCode(), 'E');
}
