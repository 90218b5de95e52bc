#ifndef ZT_MODEL_EDITSTEP_H
#define ZT_MODEL_EDITSTEP_H

// Steps that undo and redo the user's edits. An object (the document, the
// sound library, a page of the window) adds a Part to the step being made
// before it first changes something the part covers; the part keeps that
// state and, once the step is made, exchanges it with the object's: one
// exchange undoes the step, the next redoes it. Parts are exchanged in
// reverse order to undo and in order to redo, so parts that overlap still
// put back each state in turn.

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace editstep {

// What the window brings up after an undo or a redo: the page and the kit,
// pad or chain the step changed.
struct Place
{
    enum Page { Nothing, Pads, KitSettings, Chains, Global, Sounds, Groups };
    Place(Page p = Nothing, int k = -1, int d = -1, int c = -1) : page(p), kit(k), pad(d), chain(c) {}
    Page page = Nothing;
    int kit = -1;   // 0-based
    int pad = -1;   // 0-based
    int chain = -1; // 1-based

    bool isSet() const { return page != Nothing; }
};

class Part
{
public:
    virtual ~Part() = default;
    // What of which object it keeps: a step keeps one part per key.
    virtual QString key() const = 0;
    // Once the step is made: the part may keep less than it took at first.
    virtual void settle() {}
    // Exchanges the state kept with the object's.
    virtual void swap() = 0;
    // Why the state kept cannot be put back whole (a file it names is gone,
    // the object changed outside the steps since); empty when it can.
    virtual QStringList refusals() const { return {}; }
    // True when the object holds the state kept: nothing changed there.
    virtual bool unchanged() const = 0;
    // Roughly what it keeps, in bytes.
    virtual qint64 size() const = 0;
    // `later`, of the same key and made right after this one, becomes part
    // of it. A part that keeps a whole state keeps its own, the older one;
    // one that keeps what each edit changed takes the later's changes too.
    virtual void absorb(Part &later) { (void)later; }
};

// A part that keeps the whole state of what it covers on `Owner`: exchanged
// whole, and unchanged while a fresh take of it equals the one kept.
template <class Owner, class State>
class WholePart : public Part
{
public:
    void swap() override
    {
        if (!here())
            return;
        State live;
        take(live);
        put(m_state);
        m_state = std::move(live);
        told();
    }
    bool unchanged() const override
    {
        if (!here())
            return true;
        State live;
        take(live);
        return live == m_state;
    }

protected:
    explicit WholePart(Owner &owner) : m_owner(&owner) {}
    // The owner is there, with what the part covers.
    virtual bool here() const { return m_owner; }
    virtual void take(State &s) const = 0;
    virtual void put(const State &s) = 0;
    // The signal of what changed.
    virtual void told() {}

    QPointer<Owner> m_owner;
    State m_state;
};

class Step
{
public:
    Step(const QString &name, const QString &mergeKey, const Place &place);

    const QString &name() const { return m_name; }
    // Steps of one run of edits on one control share it; empty never merges.
    const QString &mergeKey() const { return m_mergeKey; }
    const Place &place() const { return m_place; }
    void setName(const QString &name) { m_name = name; }
    void setPlace(const Place &place) { m_place = place; }

    void add(std::unique_ptr<Part> part);
    // A part of this key, or one over all kits for a kit's key ("kit:N").
    bool covers(const QString &key) const;
    bool isEmpty() const { return m_parts.empty(); }
    // True when every part finds its state unchanged.
    bool unchanged() const;
    // A step of a run (its merge key) may know the run's start as the user
    // saw it: `back` tells whether what the user sees is there again. The
    // first one given holds.
    void setRunStart(std::function<bool()> back);
    // True when it is given and finds the run's start there again.
    bool backAtRunStart() const { return m_runStart && m_runStart(); }
    void settle();
    QStringList refusals() const;
    void undo();
    void redo();
    // `later`, made right after this one in the same run, becomes part of it.
    void absorb(Step &later);
    qint64 size() const;

private:
    QString m_name;
    QString m_mergeKey;
    Place m_place;
    std::vector<std::unique_ptr<Part>> m_parts;
    std::function<bool()> m_runStart;

    Part *partFor(const QString &key) const;
};

// The step being made. Edits nest: the outermost begin() opens the step
// and its end() hands it to the sink, unless it changed nothing; names and
// places of inner edits count only where the outer ones gave none.
class Recorder
{
public:
    using Sink = std::function<void(std::unique_ptr<Step>)>;

    void setSink(Sink sink) { m_sink = std::move(sink); }

    void begin(const QString &name = QString(), const QString &mergeKey = QString(), const Place &place = Place());
    void end();
    // A step is open and parts are taken.
    bool recording() const { return m_step && m_paused == 0; }
    // Adds `part` unless the step covers its key; `make` runs only when it
    // is added. Nothing without an open step.
    void touch(const QString &key, const std::function<std::unique_ptr<Part>()> &make);
    // Step::setRunStart on the step being made.
    void setRunStart(std::function<bool()> back);
    // While paused (a step undone or redone, a load the user did not start)
    // nothing is taken.
    void pause() { ++m_paused; }
    void resume() { --m_paused; }

    // One edit of the user: begin() at its start, end() when it goes.
    class Scope
    {
    public:
        Scope(Recorder *recorder, const QString &name, const QString &mergeKey = QString(),
              const Place &place = Place());
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        Recorder *m_recorder;
    };

    class Paused
    {
    public:
        explicit Paused(Recorder *recorder);
        ~Paused();
        Paused(const Paused &) = delete;
        Paused &operator=(const Paused &) = delete;

    private:
        Recorder *m_recorder;
    };

private:
    Sink m_sink;
    std::unique_ptr<Step> m_step;
    int m_depth = 0;
    int m_paused = 0;
};

} // namespace editstep

#endif
