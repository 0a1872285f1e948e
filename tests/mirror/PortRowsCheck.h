// What a user must see of a dialog's run-time port rows: every port-number
// label and box inside its frame, nothing over anything else, every box
// centred under its port's label, and labels wide enough for their numbers. The port mirroring, IGMP VLAN settings and
// traffic segmentation dialogs lay their rows out alike; their tests share this check.
#pragma once

#include "platform/ui/CClientDC.h"
#include "platform/ui/CRect.h"
#include "platform/ui/CWnd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace portrows {

inline CRect RectOf(CWnd& d, UINT id)
{
    CRect rc;
    CWnd* item = d.GetDlgItem(static_cast<int>(id));
    EXPECT_NE(item, nullptr) << "control " << id;
    if (item == nullptr)
        return rc;
    item->GetWindowRect(&rc);
    d.ScreenToClient(&rc);
    return rc;
}

// The width of a control's text in its font.
inline int TextWidth(CWnd& control)
{
    CClientDC dc(&control);
    dc.SelectObject(control.GetFont());
    return dc.GetTextExtent(control.GetWindowText()).cx;
}

inline bool Overlap(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// firstBoxes: the first id of each row of boxes (port p has first + p - 1).
inline void ExpectClearPortRows(CWnd& d, int ports, UINT firstLabel, const std::vector<UINT>& firstBoxes,
                                const CRect& frame)
{
    std::vector<CRect> labels, boxes;
    for (int i = 0; i < ports; ++i) {
        const CRect label = RectOf(d, firstLabel + static_cast<UINT>(i));
        // The number with room on either side of it inside the sunken frame.
        EXPECT_GE(label.Width(), TextWidth(*d.GetDlgItem(static_cast<int>(firstLabel) + i)) + 6) << "label " << i + 1;
        labels.push_back(label);
        for (UINT first : firstBoxes) {
            const CRect box = RectOf(d, first + static_cast<UINT>(i));
            EXPECT_LE(std::abs(box.CenterPoint().x - label.CenterPoint().x), 1) << "box " << first + i;
            boxes.push_back(box);
        }
    }
    for (const CRect& rc : labels)
        EXPECT_TRUE(rc.left > frame.left && rc.right < frame.right && rc.top > frame.top && rc.bottom < frame.bottom)
            << "a label leaves its frame at " << rc.left << "," << rc.top;
    for (const CRect& rc : boxes)
        EXPECT_TRUE(rc.left > frame.left && rc.right < frame.right && rc.top > frame.top && rc.bottom < frame.bottom)
            << "a box leaves its frame at " << rc.left << "," << rc.top;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (const CRect& box : boxes)
            EXPECT_FALSE(Overlap(labels[i], box))
                << "label " << i + 1 << " covers a box at " << box.left << "," << box.top;
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(Overlap(labels[i], labels[j])) << "labels " << i + 1 << " and " << j + 1;
    }
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(Overlap(boxes[i], boxes[j])) << "boxes at " << boxes[i].left << "," << boxes[i].top;
}

} // namespace portrows
