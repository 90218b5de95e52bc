#include "model/editstep.h"

#include <QSet>

namespace editstep {

Step::Step(const QString &name, const QString &mergeKey, const Place &place)
    : m_name(name)
    , m_mergeKey(mergeKey)
    , m_place(place)
{
}

void Step::add(std::unique_ptr<Part> part)
{
    if (part)
        m_parts.push_back(std::move(part));
}

bool Step::covers(const QString &key) const
{
    return partFor(key) != nullptr;
}

Part *Step::partFor(const QString &key) const
{
    const bool ofKit = key.startsWith(QLatin1String("kit:"));
    for (const std::unique_ptr<Part> &p : m_parts) {
        const QString held = p->key();
        if (held == key || (ofKit && held == QLatin1String("kits")))
            return p.get();
    }
    return nullptr;
}

void Step::setRunStart(std::function<bool()> back)
{
    if (!m_runStart)
        m_runStart = std::move(back);
}

bool Step::unchanged() const
{
    for (const std::unique_ptr<Part> &p : m_parts) {
        if (!p->unchanged())
            return false;
    }
    return true;
}

void Step::settle()
{
    for (const std::unique_ptr<Part> &p : m_parts)
        p->settle();
}

QStringList Step::refusals() const
{
    QStringList out;
    QSet<QString> seen;
    for (const std::unique_ptr<Part> &p : m_parts) {
        for (const QString &why : p->refusals()) {
            if (!seen.contains(why)) {
                seen.insert(why);
                out.append(why);
            }
        }
    }
    return out;
}

void Step::undo()
{
    for (auto it = m_parts.rbegin(); it != m_parts.rend(); ++it)
        (*it)->swap();
}

void Step::redo()
{
    for (const std::unique_ptr<Part> &p : m_parts)
        p->swap();
}

void Step::absorb(Step &later)
{
    for (std::unique_ptr<Part> &p : later.m_parts) {
        if (Part *held = partFor(p->key()))
            held->absorb(*p);
        else
            m_parts.push_back(std::move(p));
    }
    later.m_parts.clear();
    setRunStart(std::move(later.m_runStart));
}

qint64 Step::size() const
{
    qint64 bytes = qint64(sizeof(Step)) + m_name.size() * 2;
    for (const std::unique_ptr<Part> &p : m_parts)
        bytes += p->size();
    return bytes;
}

void Recorder::begin(const QString &name, const QString &mergeKey, const Place &place)
{
    // The merge key is the outermost edit's: an edit made of several never
    // merges on the key of one of them.
    if (m_depth++ == 0) {
        if (m_paused == 0)
            m_step = std::make_unique<Step>(name, mergeKey, place);
        return;
    }
    if (!m_step)
        return;
    if (m_step->name().isEmpty())
        m_step->setName(name);
    if (!m_step->place().isSet())
        m_step->setPlace(place);
}

void Recorder::end()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    std::unique_ptr<Step> step = std::move(m_step);
    if (!step || step->isEmpty() || step->unchanged())
        return;
    step->settle();
    if (m_sink)
        m_sink(std::move(step));
}

void Recorder::setRunStart(std::function<bool()> back)
{
    if (recording())
        m_step->setRunStart(std::move(back));
}

void Recorder::touch(const QString &key, const std::function<std::unique_ptr<Part>()> &make)
{
    if (!recording() || m_step->covers(key))
        return;
    m_step->add(make());
}

Recorder::Scope::Scope(Recorder *recorder, const QString &name, const QString &mergeKey, const Place &place)
    : m_recorder(recorder)
{
    if (m_recorder)
        m_recorder->begin(name, mergeKey, place);
}

Recorder::Scope::~Scope()
{
    if (m_recorder)
        m_recorder->end();
}

Recorder::Paused::Paused(Recorder *recorder)
    : m_recorder(recorder)
{
    if (m_recorder)
        m_recorder->pause();
}

Recorder::Paused::~Paused()
{
    if (m_recorder)
        m_recorder->resume();
}

} // namespace editstep
