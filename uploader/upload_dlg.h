#pragma once

#include "upload/sound_output.h"
#include "upload/sound_path_check.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

// The Upload window, shown before an upload when something may keep it from
// reaching the device: the checker's errors, the output the upload plays on
// with a list to choose another, and what is wrong with that output.
// "Upload anyway" (or "Upload" when nothing is wrong) and Cancel, the
// default. A muted output can be unmuted here, which stays so.
class CUploadDlg : public QDialog
{
    Q_OBJECT

public:
    // Unmutes the sink named; false when it cannot. Lists the outputs anew.
    using Unmute = std::function<bool(const std::string &name)>;
    using ListOutputs = std::function<SoundOutputs()>;

    // chosen is the output the settings name (empty for none).
    CUploadDlg(const QStringList &checkLines, SoundOutputs outputs, const std::string &chosen, Unmute unmute,
        ListOutputs listOutputs, QWidget *parent);

    // The sink the upload is to play on; empty when there is none.
    std::string ChosenOutput() const;
    // What the window says about the sound path, for tests and screen
    // readers alike.
    QString SoundPathText() const;
    // The checker's errors as the window lists them; empty without.
    QString CheckText() const { return m_checkText; }
    QPushButton *UnmuteButton() const { return m_unmute; }
    QPushButton *UploadButton() const { return m_upload; }
    QComboBox *OutputList() const { return m_outputList; }

private:
    void FillOutputList(const std::string &selected);
    void ShowSoundPath();
    void OnUnmute();

    SoundOutputs m_outputs;
    std::string m_chosen;
    // The path the settings' choice gives.
    SoundPath m_fallback;
    QString m_checkText;
    Unmute m_unmuteOutput;
    ListOutputs m_listOutputs;
    QComboBox *m_outputList;
    QLabel *m_soundPath;
    QLabel *m_unmuteNote;
    QPushButton *m_unmute;
    QPushButton *m_upload;
};

// The texts of the findings about the output at path.output of outputs;
// chosen is the name the settings gave.
QStringList SoundPathLines(const SoundPath &path, const SoundOutputs &outputs, const std::string &chosen);
