#include "platform/ui/CStatic.h"

#include "platform/ui/CBitmap.h"
#include "platform/ui/GdiObjectData.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/WindowAccess.h"

#include <QLabel>

BOOL CStatic::Create(const char* lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_STATIC, lpszText, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon)
{
    return OnWidget<QLabel>(this, static_cast<HICON>(nullptr), [&](QLabel* label, WindowRecord& rec) {
        const HICON previous = std::exchange(rec.bigIcon, hIcon);
        if (hIcon) {
            const QSize size = label->size().isEmpty() ? ResourceImages::IconSize(hIcon) : label->size();
            const int side = std::min(size.width(), size.height());
            label->setPixmap(ResourceImages::Icon(hIcon).pixmap(QSize(side, side)));
        } else {
            label->setPixmap(QPixmap());
        }
        return previous;
    });
}

HICON CStatic::GetIcon() const
{
    return OnWindow(this, static_cast<HICON>(nullptr), [](WindowRecord& rec) { return rec.bigIcon; });
}

BOOL CStatic::SetBitmap(CBitmap* pBitmap)
{
    QImage image;
    if (pBitmap && pBitmap->Data() && pBitmap->Data()->surface)
        image = pBitmap->Data()->surface->Snapshot();
    return OnWidget<QLabel>(this, FALSE, [&](QLabel* label, WindowRecord&) {
        label->setPixmap(QPixmap::fromImage(image));
        return TRUE;
    });
}
