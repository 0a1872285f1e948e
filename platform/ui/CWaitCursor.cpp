#include "platform/ui/CWaitCursor.h"

#include "platform/ui/UiThreadCalls.h"

#include <QApplication>
#include <QGuiApplication>

#include <atomic>

namespace {

std::atomic<int> g_depth{0};

bool HaveGui()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

CWaitCursor::CWaitCursor()
{
    Begin();
}

CWaitCursor::~CWaitCursor()
{
    End();
}

void CWaitCursor::Restore()
{
    RestoreCurrent();
}

void CWaitCursor::Begin()
{
    UiThreadCalls::Run(nullptr, [] {
        ++g_depth;
        if (HaveGui())
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    });
}

void CWaitCursor::End()
{
    UiThreadCalls::Run(nullptr, [] {
        if (g_depth.load() <= 0)
            return;
        --g_depth;
        if (HaveGui())
            QGuiApplication::restoreOverrideCursor();
    });
}

void CWaitCursor::RestoreCurrent()
{
    UiThreadCalls::Run(nullptr, [] {
        if (g_depth.load() > 0 && HaveGui())
            QGuiApplication::changeOverrideCursor(Qt::WaitCursor);
    });
}

int CWaitCursor::Depth()
{
    return g_depth.load();
}
