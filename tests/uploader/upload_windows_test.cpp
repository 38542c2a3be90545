// The Upload window and the end of the progress window, on made-up outputs
// and checks.

#include "../gui_test.h"
#include "platform/resource_module.h"
#include "uploader/upload_dlg.h"
#include "uploader/upload_progress_dlg.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace
{

SoundOutput Output(const char *name, bool isDefault, int volume = 100, bool muted = false,
    SoundOutputKind kind = SoundOutputKind::BuiltIn)
{
    return { name, std::string("The ") + name, muted, volume, isDefault, kind };
}

struct Window {
    explicit Window(SoundOutputs listed, const std::string &chosen = {}, const QStringList &errors = {})
        : outputs(std::move(listed))
        , dialog(
              errors, outputs, chosen,
              [this](const std::string &name) {
                  unmuted.push_back(name);
                  for (SoundOutput &output : outputs)
                      output.muted = output.muted && output.name != name;
                  return true;
              },
              [this] { return outputs; }, nullptr)
    {
    }

    void Choose(const char *name)
    {
        dialog.OutputList()->setCurrentIndex(dialog.OutputList()->findData(QString::fromLatin1(name)));
    }

    SoundOutputs outputs;
    std::vector<std::string> unmuted;
    CUploadDlg dialog;
};

TEST(UploadWindow, ShowsTheChosenOutputWhatIsWrongWithItAndAnotherChoice)
{
    const SoundOutputs two = { Output("speakers", true),
        Output("tv", false, 100, false, SoundOutputKind::HdmiOrDisplayPort), Output("quiet", false, 30) };
    struct Row {
        const char *what;
        std::string chosen;
        const char *choose; // then chosen in the list, or null
        std::string output;
        QString text;
        QString button;
    } rows[] = {
        { "nothing chosen", "", nullptr, "speakers", "", "Upload" },
        { "a screen chosen", "", "tv", "tv",
            "It is an HDMI or DisplayPort output, usually a screen's speakers.", "Upload anyway" },
        { "quiet", "quiet", nullptr, "quiet",
            "Its volume is 30 %: under 50 % the VELTOR may not hear the upload.", "Upload anyway" },
        { "gone", "usb", nullptr, "speakers",
            "The output chosen before, usb, is not there; the default output plays instead.",
            "Upload anyway" },
        { "gone, then another chosen", "usb", "tv", "tv",
            "It is an HDMI or DisplayPort output, usually a screen's speakers.", "Upload anyway" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        Window window(two, row.chosen);
        if (row.choose) {
            window.Choose("quiet");
            window.Choose(row.choose);
        }
        EXPECT_EQ(window.dialog.ChosenOutput(), row.output);
        EXPECT_EQ(window.dialog.SoundPathText(), row.text);
        EXPECT_EQ(window.dialog.UploadButton()->text(), row.button);
        EXPECT_TRUE(window.dialog.UnmuteButton()->isHidden());
    }
    Window listed(two);
    EXPECT_EQ(listed.dialog.OutputList()->itemText(0), "The speakers (default)");
    EXPECT_EQ(listed.dialog.OutputList()->itemText(1), "The tv");
    Window errors(two, "speakers", { "row 3: error: x" });
    EXPECT_EQ(errors.dialog.UploadButton()->text(), "Upload anyway");
    EXPECT_TRUE(errors.dialog.CheckText().endsWith("\n\nrow 3: error: x"));
}

TEST(UploadWindow, UnmutesTheOutputOnRequest)
{
    Window window({ Output("line", false, 100, true), Output("speakers", true) }, "line");
    EXPECT_EQ(window.dialog.SoundPathText(), "The output is muted: the VELTOR hears nothing.");
    ASSERT_FALSE(window.dialog.UnmuteButton()->isHidden());
    window.dialog.UnmuteButton()->click();
    EXPECT_EQ(window.unmuted, std::vector<std::string> { "line" });
    EXPECT_EQ(window.dialog.ChosenOutput(), "line");
    EXPECT_EQ(window.dialog.SoundPathText(), "");
    EXPECT_TRUE(window.dialog.UnmuteButton()->isHidden());
    EXPECT_EQ(window.dialog.UploadButton()->text(), "Upload");

    Window none({});
    EXPECT_EQ(none.dialog.SoundPathText(), "There is no sound output.");
    EXPECT_EQ(none.dialog.ChosenOutput(), "");
}

TEST(UploadProgress, SaysWhatLeftTheComputerAndOffersAnotherUpload)
{
    UploadVerification intact;
    intact.recorded = true;
    intact.peak = 0.955;
    UploadVerification disturbed = intact;
    disturbed.disturbed = { { 3, DisturbanceCause::AnotherSound }, { 9, DisturbanceCause::Unknown } };
    const QString scope = "\nThis checks what left the computer, not what the VELTOR received.";
    struct Row {
        const char *what;
        const UploadVerification *check;
        QString text;
    } rows[] = {
        { "intact", &intact,
            QString::fromUtf8("All 14 blocks left the computer intact (peak \u22120.4 dBFS).") },
        { "disturbed", &disturbed,
            QString::fromUtf8("2 of 14 blocks did not leave the computer intact (peak \u22120.4 dBFS):\n"
                              "block 3: another sound was mixed in\nblock 9: disturbed") },
        { "not recorded", nullptr,
            "What the output played could not be recorded, so the upload could not be checked." },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        CUploadProgressDlg progress([] { return 0; }, 10'000, nullptr);
        bool again = false;
        QObject::connect(&progress, &CUploadProgressDlg::uploadAgainPressed, [&again] { again = true; });
        progress.ShowResult(row.check, 14);
        EXPECT_EQ(progress.ResultText(), row.text + scope);
        EXPECT_EQ(progress.ProgressText(), "Uploading: 10.0 s of 10.0 s");
        auto *button = progress.findChild<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
        for (QPushButton *each : progress.findChildren<QPushButton *>())
            if (each->text() == "Upload again")
                button = each;
        ASSERT_TRUE(button && button->text() == "Upload again");
        button->click();
        EXPECT_TRUE(again);
    }
    ASSERT_TRUE(ResourceModule::LoadLanguageBundle(QStringLiteral(PEMBLO_BIN_DIR "/german.rcc")));
    const QString german = VerificationText(&intact, 14);
    ResourceModule::UnloadLanguageBundle();
    EXPECT_TRUE(german.startsWith(
        QString::fromUtf8("Alle 14 Blöcke haben den Computer unversehrt verlassen (Spitze \u22120,4 dBFS).")))
        << german.toStdString();
}

} // namespace
