// The walks the benchmark times: the SNMP library's synchronous table walk,
// the session layer's asynchronous walk, and that walk filling a list.
#pragma once

#include <string>

class CListCtrlEx;

// What is walked, and how.
struct BenchTarget
{
    std::string host;      // net-snmp peer name, "127.0.0.1:PORT"
    std::string root;      // the subtree walked
    int version = 1;       // 1 or 3 (authPriv, SHA and DES)
    std::string community; // SNMPv1
    std::string user;      // SNMPv3
    std::string authPassword;
    std::string privPassword;
};

// CPU seconds of the process (every thread) and wall seconds of one walk,
// and the rows it gave.
struct BenchFigure
{
    double cpu = 0;
    double wall = 0;
    long rows = 0;
};

// CSnmpTable::getNext over one CSnmpV1 or CSnmpV3 until the walk ends.
bool WalkSync(const BenchTarget& target, BenchFigure& figure);
// CCommonSNMP's StartRequest walk, one call-back a row, the rows taken at the
// end. With `list`, each row's text goes into the list from the call-back
// (carried to the UI thread); `fillSeconds` is then the UI thread's time
// spent inserting, in total.
bool WalkAsync(const BenchTarget& target, BenchFigure& figure, CListCtrlEx* list = nullptr,
               double* fillSeconds = nullptr);
