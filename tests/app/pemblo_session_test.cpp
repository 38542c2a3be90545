#include "app/pemblo_session.h"

#include "../gui_test.h"
#include "app/main_frame.h"
#include "app/pemblo_app.h"
#include "display/brelvim_view.h"
#include "document/brelvim_doc.h"
#include "editor/led_editor_wnd.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/settings_store.h"

#include <gtest/gtest.h>

namespace
{

class SessionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ClearTestSettings();
        InterceptMessageBoxes([this](const MessageBoxRequest &box) { boxes.push_back(box); });
    }
    void TearDown() override { InterceptMessageBoxes({}); }

    std::vector<MessageBoxRequest> boxes;
};

TEST_F(SessionTest, AFirstStartShowsTheMainWindowWithViewAndEditor)
{
    {
        PembloSession session;
        EXPECT_FALSE(session.LoadDevice(QStringLiteral("missing.rcc")));
        CPembloApp app([&session](const QString &device) { return session.LoadDevice(device); },
            [&session] { return session.CreateMainWindow(); }, { "pemblo" });
        app.SetLanguageQuestion([] { return 'E'; });
        ASSERT_TRUE(app.InitInstance());
        EXPECT_TRUE(boxes.empty());

        auto *frame = qobject_cast<CMainFrame *>(app.MainWindow());
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->isVisible());
        auto *view = qobject_cast<CBrelvimView *>(frame->centralWidget());
        ASSERT_NE(view, nullptr);
        CBrelvimDoc *document = session.Document();
        EXPECT_EQ(view->GetDocument(), document);

        // No file to reload: the editor, open by default, brings the default
        // sequence.
        auto *editor = dynamic_cast<CLedEditorWnd *>(document->GetEditor());
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->m_rowCount, 4);

        session.Commands().Execute(ID_START_SIMULATION);
        EXPECT_TRUE(document->m_running);
    }
    // The document went with the session and noted the open editor.
    EXPECT_EQ(SettingsStore::GetProfileString(SettingsStore::SECTION, SettingsStore::KEY_EDITOR_OPEN), "1");
}

} // namespace
