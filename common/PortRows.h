// The run-time rows of a dialog's port controls: port-number labels, and a
// box (a check box or another button) under each label, spread evenly from a
// left edge to a right bound. Up to 28 ports lie in one line of labels over
// one line of boxes; more lie in two such pairs of half the ports, the second
// pair a gap below the first line of boxes, so that every line of boxes sits
// under its own labels and no label covers a box.
//
// A label is at least as wide as a two-digit port number needs in the
// dialog's font (never narrower than its box, and never so wide that it
// touches its neighbour) and stands centred over its box.
#pragma once

#include "common/CBtnEXT.h"
#include "platform/ui/CRect.h"

#include <memory>

class CDialog;
class ClxDialog;
class CWnd;

// A child's rectangle in its dialog's client coordinates.
CRect ClientRectOf(CWnd& dialog, int nId);

struct PortRowsPlace
{
    CPoint ptFirst; // top left of port 1's label
    int nRight = 0; // no control passes this x
    int nBox = 0;   // side of a box
    int nGap = 6;   // between a line of boxes and the next line of labels
};

// Where the rows of nPorts ports go; what CreatePortRows builds from it.
struct PortRowsGeometry
{
    int nPerLine = 0; // ports in one line
    int nLabel = 0;   // side of a label
    int nPitch = 0;   // from one port's left edge to the next port's
    // Port i + 1's label and box, in the dialog's client coordinates.
    CRect LabelRect(const PortRowsPlace& place, int i) const;
    CRect BoxRect(const PortRowsPlace& place, int i) const;
};

// nMinLabel: the side a label needs for two digits (PortLabelMinimum).
PortRowsGeometry PortRowsLayout(int nPorts, const PortRowsPlace& place, int nMinLabel);

// The side a port label needs for a two-digit number in the dialog's font.
int PortLabelMinimum(const CDialog& dialog);

// Labels with ids from nLabelFirstId and, under them, boxes of nBoxStyle
// with ids from nBoxFirstId (port i + 1 has first id + i); either panel
// replaces what it held.
void CreatePortRows(ClxDialog& dialog, int nPorts, const PortRowsPlace& place, UINT nLabelFirstId, UINT nBoxStyle,
                    UINT nBoxFirstId, std::unique_ptr<CBtnEXT>& pLabels, std::unique_ptr<CBtnEXT>& pBoxes);

// The labels only, where CreatePortRows puts them, for a dialog whose boxes
// lie in rows of their own (spaced by the geometry's pitch).
void CreatePortLabels(ClxDialog& dialog, int nPorts, const PortRowsPlace& place, UINT nLabelFirstId,
                      std::unique_ptr<CBtnEXT>& pLabels);
