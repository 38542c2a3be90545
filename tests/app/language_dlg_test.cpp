#include "app/language_dlg.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{

QRadioButton *Radio(CLanguageDlg &dialog, const QString &text)
{
    for (QRadioButton *radio : dialog.findChildren<QRadioButton *>())
        if (radio->text() == text)
            return radio;
    return nullptr;
}

QPushButton *OkButton(CLanguageDlg &dialog)
{
    for (QPushButton *button : dialog.findChildren<QPushButton *>())
        if (button->text() == "OK" || button->text() == "&OK")
            return button;
    return nullptr;
}

} // namespace

TEST(LanguageDialog, LooksAsAskedAndStartsOnEnglish)
{
    CLanguageDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Language");
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    ASSERT_NE(Radio(dialog, "English (default)"), nullptr);
    ASSERT_NE(Radio(dialog, "German / Deutsch"), nullptr);
    EXPECT_TRUE(Radio(dialog, "English (default)")->isChecked());
    EXPECT_EQ(dialog.LanguageCode(), 'E');
}

TEST(LanguageDialog, OkGivesTheCheckedLanguage)
{
    CLanguageDlg german;
    QTimer::singleShot(0, &german, [&] {
        Radio(german, "German / Deutsch")->click();
        QTest::mouseClick(OkButton(german), Qt::LeftButton);
    });
    EXPECT_EQ(german.DoModal(), QDialog::Accepted);
    EXPECT_EQ(german.LanguageCode(), 'D');

    CLanguageDlg english;
    english.show();
    Radio(english, "German / Deutsch")->click();
    Radio(english, "English (default)")->click();
    QTest::keyClick(&english, Qt::Key_Return);
    EXPECT_EQ(english.result(), QDialog::Accepted);
    EXPECT_EQ(english.LanguageCode(), 'E');
}

TEST(LanguageDialog, EscapeLeavesEnglishWhateverIsChecked)
{
    CLanguageDlg dialog;
    QTimer::singleShot(0, &dialog, [&] {
        Radio(dialog, "German / Deutsch")->click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
    EXPECT_EQ(dialog.LanguageCode(), 'E');
}
