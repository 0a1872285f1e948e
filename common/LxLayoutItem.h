// One entry of a resizable dialog's layout table (ClxDialog::SetLayout): how
// one control follows a change of the dialog's client size.
#pragma once

struct LxLayoutItem
{
    // Control id of a control of the dialog.
    int nID;
    // 0 moves the left edge, 1 the top edge, 2 both; 3 widens, 4 heightens,
    // 5 both; any other mode leaves the control where it is.
    int nMode;
    // Share of the size change, 0 to 100; entries outside are skipped.
    int nPercent;
};
