// The shapes of the dialogs that lay out one control per port: each dialog
// keeps a table of them by port count.
#pragma once

// The dialog's size for a switch of nPorts ports.
struct WindowSize
{
    int nPorts, nWidth, nHeight;
};

// Extra gap between port columns, and ports per row (0: all in one row), for
// a switch of nPorts ports.
struct GridShape
{
    int nPorts, nGap, nPerRow;
};
