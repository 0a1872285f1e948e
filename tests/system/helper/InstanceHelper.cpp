// A second process for the single-instance tests.
//   hold NAME      take the lock, print "held", print "activated" on each
//                  activation, run until killed (exit 3 when refused)
//   try NAME       exit 0 when the lock could be taken, 3 when refused
//   activate NAME  ask the holder to show itself; exit 0 when it answered
#include "platform/system/CInstanceLock.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const std::string mode = argv[1];
    const std::string name = argv[2];
    if (mode == "hold") {
        CInstanceLock lock(name);
        if (!lock.Acquire())
            return 3;
        lock.ListenForActivation([] {
            std::puts("activated");
            std::fflush(stdout);
        });
        std::puts("held");
        std::fflush(stdout);
        return app.exec();
    }
    if (mode == "try") {
        CInstanceLock lock(name);
        return lock.Acquire() ? 0 : 3;
    }
    if (mode == "activate")
        return CInstanceLock::ActivateRunning(name) ? 0 : 4;
    return 2;
}
