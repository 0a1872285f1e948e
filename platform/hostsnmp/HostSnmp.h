// The start-up library of the host product. Its work belongs to the host, not
// to this module: these functions only record what they were given, so that
// start-up can be checked.
#pragma once

class CWinApp;

// Records the application object; returns 1.
int SnmpInit(CWinApp* app);

// Records the time-out in milliseconds.
void SetSnmpTimeout(int milliseconds);

// What the two functions were given.
struct HostSnmpRecord
{
    int initCalls = 0;
    CWinApp* app = nullptr;
    int timeoutCalls = 0;
    int timeoutMs = 0;
};
HostSnmpRecord GetHostSnmpRecord();
