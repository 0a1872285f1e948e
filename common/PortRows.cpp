#include "common/PortRows.h"

#include "common/ClxDialog.h"

#include <algorithm>

namespace {

constexpr int kMaxOneLine = 28; // as CBtnEXT lays its controls out
// Dialog units of a label's width that hold two digits with a margin on
// either side of them inside the sunken frame.
constexpr int kTwoDigitLabelDlu = 12;
// Pixels left free between neighbouring labels.
constexpr int kLabelSpace = 2;

void CreateLabels(ClxDialog& dialog, int nPorts, const PortRowsPlace& place, const PortRowsGeometry& geometry,
                  UINT nLabelFirstId, std::unique_ptr<CBtnEXT>& pLabels)
{
    // The second line of labels goes a box and the gap under the first line
    // of boxes (CBtnEXT adds 2 pixels to the row gap).
    pLabels = std::make_unique<CBtnEXT>(nPorts, geometry.nLabel, place.nBox + place.nGap - 2);
    pLabels->SetParentDlg(&dialog);
    pLabels->SetSpacing(geometry.nPitch - geometry.nLabel);
    const CPoint pt = place.ptFirst;
    pLabels->Create(CBtnEXT::LABEL_STYLE, nLabelFirstId, CRect(pt.x, pt.y, pt.x, pt.y), 1);
}

} // namespace

CRect ClientRectOf(CWnd& dialog, int nId)
{
    CRect rc;
    if (CWnd* pItem = dialog.GetDlgItem(nId)) {
        pItem->GetWindowRect(&rc);
        dialog.ScreenToClient(&rc);
    }
    return rc;
}

CRect PortRowsGeometry::LabelRect(const PortRowsPlace& place, int i) const
{
    const int nLine = nPerLine > 0 && i >= nPerLine ? 1 : 0;
    const int nColumn = i - nLine * nPerLine;
    const int x = place.ptFirst.x + nColumn * nPitch;
    const int y = place.ptFirst.y + nLine * (nLabel + place.nBox + place.nGap);
    return CRect(x, y, x + nLabel, y + nLabel);
}

CRect PortRowsGeometry::BoxRect(const PortRowsPlace& place, int i) const
{
    const CRect rcLabel = LabelRect(place, i);
    const int x = rcLabel.left + (nLabel - place.nBox) / 2;
    return CRect(x, rcLabel.bottom, x + place.nBox, rcLabel.bottom + place.nBox);
}

PortRowsGeometry PortRowsLayout(int nPorts, const PortRowsPlace& place, int nMinLabel)
{
    PortRowsGeometry geometry;
    geometry.nPerLine = nPorts <= kMaxOneLine ? std::max(nPorts, 0) : nPorts / 2;
    const int nWidth = place.nRight - place.ptFirst.x;
    const int n = geometry.nPerLine;
    // The room of one port, its label's share of the width.
    const int nRoom = n > 1 ? (nWidth + kLabelSpace) / n : nWidth;
    geometry.nLabel = std::max(place.nBox, std::min(nMinLabel, nRoom - kLabelSpace));
    geometry.nPitch = n > 1 ? geometry.nLabel + (nWidth - n * geometry.nLabel) / (n - 1) : geometry.nLabel;
    return geometry;
}

int PortLabelMinimum(const CDialog& dialog)
{
    CRect rc(0, 0, kTwoDigitLabelDlu, 0);
    dialog.MapDialogRect(&rc);
    return rc.Width();
}

void CreatePortRows(ClxDialog& dialog, int nPorts, const PortRowsPlace& place, UINT nLabelFirstId, UINT nBoxStyle,
                    UINT nBoxFirstId, std::unique_ptr<CBtnEXT>& pLabels, std::unique_ptr<CBtnEXT>& pBoxes)
{
    const PortRowsGeometry geometry = PortRowsLayout(nPorts, place, PortLabelMinimum(dialog));
    CreateLabels(dialog, nPorts, place, geometry, nLabelFirstId, pLabels);
    // The second line of boxes goes a label under the second line of labels.
    pBoxes = std::make_unique<CBtnEXT>(nPorts, place.nBox, geometry.nLabel + place.nGap - 2);
    pBoxes->SetParentDlg(&dialog);
    pBoxes->SetSpacing(geometry.nPitch - place.nBox);
    const CRect rcBox = geometry.BoxRect(place, 0);
    pBoxes->Create(nBoxStyle, nBoxFirstId, CRect(rcBox.left, rcBox.top, rcBox.left, rcBox.top), 1);
}

void CreatePortLabels(ClxDialog& dialog, int nPorts, const PortRowsPlace& place, UINT nLabelFirstId,
                      std::unique_ptr<CBtnEXT>& pLabels)
{
    CreateLabels(dialog, nPorts, place, PortRowsLayout(nPorts, place, PortLabelMinimum(dialog)), nLabelFirstId,
                 pLabels);
}
