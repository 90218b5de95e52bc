#ifndef ZT_PREVIEWSESSION_H
#define ZT_PREVIEWSESSION_H

// The preview's own state: a preparation running off the GUI thread, the
// Stop that ends it, a close waiting for it, and the loop run of the player.

#include <QtGlobal>

#include <atomic>

class PreviewSession
{
public:
    bool preparing() const { return m_preparing; }
    // A preparation starts; Stop is not pressed yet.
    void begin()
    {
        m_stop = false;
        m_preparing = true;
    }
    // The preparation has ended; true when Stop ended it.
    bool end()
    {
        m_preparing = false;
        return m_stop;
    }

    void stop() { m_stop = true; }
    void clearStop() { m_stop = false; }
    bool stopped() const { return m_stop; }
    // The flag the preparation's worker reads.
    const std::atomic_bool *stopFlag() const { return &m_stop; }

    // A close asked for while preparing runs once the preparation has ended.
    void closeWhenDone() { m_closeWhenDone = true; }
    bool takeClose()
    {
        const bool close = m_closeWhenDone;
        m_closeWhenDone = false;
        return close;
    }

    // The running loop playback: which run (0 none) and the recorded player
    // state it lasts for. The player's stop restarts it while that state holds.
    int loopRun = 0;
    quint8 loopRunState = 0;

private:
    bool m_preparing = false;
    std::atomic_bool m_stop{false};
    bool m_closeWhenDone = false;
};

#endif
