// The subject side of the links from ports and console-type parts to their
// lamps: the attached observers (not owned) and the state they read when
// they are updated. Callers hold the panel lock (CVirtualDev::PanelLock).
#pragma once

#include <vector>

class CObserver;

class CSubject
{
public:
    // Appends observer; a null observer is ignored.
    void Attach(CObserver* observer);
    const std::vector<CObserver*>& GetObservers() const { return m_observers; }

    void SetState(int state) { m_nSubjectState = state; }
    int GetState() const { return m_nSubjectState; }

    // Sets the subject state to state, then calls Update of every attached
    // observer in attach order.
    void Publish(int state);

protected:
    std::vector<CObserver*> m_observers;
    int m_nSubjectState = 0;
};
