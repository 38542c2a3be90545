#pragma once

#include <QDialog>

class QRadioButton;

// Asks for the language of the user interface at start-up: English or
// German. It has a caption but no close box; Esc leaves English.
class CLanguageDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CLanguageDlg(QWidget *parent = nullptr);

    int DoModal() { return exec(); }
    // 'D' for German, 'E' for English.
    char LanguageCode() const { return m_languageCode; }

protected:
    void accept() override;

private:
    void DoDataExchange(bool saveAndValidate);
    void OnOK();

    QRadioButton *m_english;
    QRadioButton *m_german;
    // Which radio button is checked: 0 English, 1 German.
    int m_radioChoice = 0;
    char m_languageCode = 'E';
};
