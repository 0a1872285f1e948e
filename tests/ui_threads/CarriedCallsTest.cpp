// Window calls from other threads are carried to the UI thread and waited
// for, also while the UI thread itself waits for the calling thread; a call to
// a window that is gone does nothing and returns 0.
#include "platform/system/UiThreadWait.h"
#include "ui/UiTestSupport.h"
#include "ui_threads/WalkDialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace ui_threads_test {

namespace {

struct OpenDialog
{
    OpenDialog()
    {
        EnsureApplication();
        dialog.Create(IDD_UI_TEST);
        dialog.m_list.InsertColumn(0, "Port", LVCFMT_LEFT, 60);
        dialog.m_list.InsertColumn(1, "Members", LVCFMT_LEFT, 120);
    }
    ~OpenDialog() { dialog.DestroyWindow(); }
    WalkDialog dialog;
};

constexpr int kRows = 150;

// What a walk call-back does for each row, on the worker thread.
void Walk(WalkDialog& d, std::vector<LRESULT>& answers)
{
    const HWND window = d.GetSafeHwnd();
    for (int row = 0; row < kRows; ++row) {
        const int at = d.m_list.InsertItem(d.m_list.GetItemCount(), std::to_string(row + 1));
        d.m_list.SetItemText(at, 1, "member " + std::to_string(row));
        answers.push_back(::SendMessage(window, WM_WALK_ROW, static_cast<WPARAM>(row), 1));
    }
    d.GetDlgItem(IDC_TEST_REFRESH)->EnableWindow(TRUE);
}

void ExpectWalked(WalkDialog& d, const std::vector<LRESULT>& answers)
{
    ASSERT_EQ(d.m_list.GetItemCount(), kRows);
    for (int row = 0; row < kRows; ++row) {
        EXPECT_EQ(d.m_list.GetItemText(row, 0), std::to_string(row + 1));
        EXPECT_EQ(d.m_list.GetItemText(row, 1), "member " + std::to_string(row));
        EXPECT_EQ(answers[static_cast<std::size_t>(row)], row * 2 + 1);
    }
    ASSERT_EQ(d.rows.size(), static_cast<std::size_t>(kRows));
    for (std::thread::id id : d.rowThreads)
        EXPECT_EQ(id, std::this_thread::get_id()); // every handler ran on the UI thread
    EXPECT_TRUE(d.GetDlgItem(IDC_TEST_REFRESH)->IsWindowEnabled());
}

} // namespace

TEST(CarriedCalls, WorkerFillsTheListWhileTheUiThreadWaitsForItsEnd)
{
    OpenDialog open;
    WalkDialog& d = open.dialog;
    d.GetDlgItem(IDC_TEST_REFRESH)->EnableWindow(FALSE);
    std::atomic<bool> ended{false};
    std::vector<LRESULT> answers;
    std::thread worker([&] {
        Walk(d, answers);
        ended = true;
        ui_wait::Wake();
    });
    // The UI thread waits for the walk to end, as a dialog that waits for its
    // session's worker does, and serves the worker's calls meanwhile.
    const bool finished = ui_wait::WaitServingUi([&] { return ended.load(); }, 30000);
    worker.join();
    ASSERT_TRUE(finished);
    ExpectWalked(d, answers);
}

TEST(CarriedCalls, WorkerIsServedByTheEventLoopToo)
{
    OpenDialog open;
    WalkDialog& d = open.dialog;
    std::atomic<bool> ended{false};
    std::vector<LRESULT> answers;
    std::thread worker([&] {
        Walk(d, answers);
        ended = true;
    });
    const bool finished = PumpUntil([&] { return ended.load(); }, 30000);
    worker.join();
    ASSERT_TRUE(finished);
    ExpectWalked(d, answers);
}

TEST(CarriedCalls, ACallToAWindowThatIsGoneDoesNothingAndReturnsZero)
{
    OpenDialog open;
    WalkDialog& d = open.dialog;
    const HWND window = d.GetSafeHwnd();
    std::atomic<bool> calling{false};
    std::atomic<bool> answered{false};
    LRESULT answer = -1;
    int rowsAfter = -1;
    std::thread worker([&] {
        calling = true;
        answer = ::SendMessage(window, WM_WALK_ROW, 5, 0);
        rowsAfter = d.m_list.InsertItem(0, "late");
        answered = true;
        ui_wait::Wake();
    });
    while (!calling)
        std::this_thread::yield();
    // The worker's call is now waiting for the UI thread (or about to find
    // the window gone); the window goes before anyone serves it.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    d.DestroyWindow();
    const bool finished = ui_wait::WaitServingUi([&] { return answered.load(); }, 10000);
    worker.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(rowsAfter, -1);
    EXPECT_TRUE(d.rows.empty()); // the handler never ran
    EXPECT_FALSE(IsWindow(window));
}

TEST(CarriedCalls, MessageBoxOfAWorkerIsShownOnTheUiThread)
{
    OpenDialog open;
    BoxRecorder boxes(IDYES);
    std::atomic<bool> answered{false};
    int answer = 0;
    std::thread worker([&] {
        answer = AfxMessageBox("Walk failed. Try again?", MB_YESNO | MB_ICONQUESTION);
        answered = true;
        ui_wait::Wake();
    });
    const bool finished = ui_wait::WaitServingUi([&] { return answered.load(); }, 10000);
    worker.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(answer, IDYES);
    ASSERT_EQ(boxes.Calls().size(), 1U);
    EXPECT_EQ(boxes.Calls()[0].text, "Walk failed. Try again?");
    EXPECT_EQ(boxes.Threads()[0], std::this_thread::get_id());
}

TEST(CarriedCalls, PostedMessagesArriveInOrderInTheEventLoop)
{
    OpenDialog open;
    WalkDialog& d = open.dialog;
    const HWND window = d.GetSafeHwnd();
    std::atomic<int> posted{0};
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            posted += ::PostMessage(window, WM_WALK_ROW, static_cast<WPARAM>(i), 0) ? 1 : 0;
    });
    worker.join();
    EXPECT_EQ(posted.load(), 50);
    // Posted messages are not served by a wait, only by the event loop.
    ui_wait::WaitServingUi([] { return false; }, 20);
    EXPECT_TRUE(d.rows.empty());
    ASSERT_TRUE(PumpUntil([&] { return d.rows.size() == 50; }));
    for (std::size_t i = 0; i < d.rows.size(); ++i)
        EXPECT_EQ(d.rows[i], i);
}

TEST(CarriedCalls, WorkerDrawsThroughTheKeptContextWhileTheUiThreadShowsTheWindow)
{
    OpenDialog open;
    WalkDialog& d = open.dialog;
    d.ShowWindow(SW_SHOW);
    CDC* kept = d.GetDC(); // taken once on the UI thread, kept for the worker
    ASSERT_NE(kept, nullptr);
    d.GetWidget()->grab(); // the window's first paint erases its image
    std::atomic<bool> ended{false};
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            CRect led(10 + (i % 20) * 6, 10, 15 + (i % 20) * 6, 14);
            kept->FillSolidRect(&led, i % 2 ? RGB(0, 200, 0) : RGB(240, 160, 0));
        }
        CRect last(10, 20, 20, 30);
        kept->FillSolidRect(&last, RGB(0, 0, 255));
        ended = true;
    });
    QImage shown;
    while (!ended) {
        QCoreApplication::processEvents();
        shown = d.GetWidget()->grab().toImage();
    }
    worker.join();
    EXPECT_TRUE(PumpUntil([&] { return d.GetWidget()->grab().toImage().pixel(15, 25) == qRgb(0, 0, 255); }));
}

} // namespace ui_threads_test
