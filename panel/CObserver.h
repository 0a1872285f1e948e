// The observer side of the links from ports and console-type parts to their
// lamps. The subject is not owned.
#pragma once

class CSubject;

class CObserver
{
public:
    virtual ~CObserver() = default;

    void SetSubject(CSubject* subject) { m_pSubject = subject; }
    CSubject* GetSubject() const { return m_pSubject; }

    // Reads the subject's state and shows it.
    virtual void Update() = 0;

protected:
    CSubject* m_pSubject = nullptr;
};
