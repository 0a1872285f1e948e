#include "panel/CSubject.h"

#include "panel/CObserver.h"

void CSubject::Attach(CObserver* observer)
{
    if (observer != nullptr)
        m_observers.push_back(observer);
}

void CSubject::Publish(int state)
{
    m_nSubjectState = state;
    for (CObserver* observer : m_observers)
        observer->Update();
}
