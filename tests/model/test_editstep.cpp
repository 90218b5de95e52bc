// Steps over a plain value: nested edits make one step named by the
// outermost, an edit that changes nothing makes none, overlapping parts and
// steps joined in a run still put back each state in turn, and a run keeps
// its start and every change of a part that keeps changes.
#include "model/editstep.h"

#include <QtTest>

#include <map>

namespace {

// A part over one entry of a map of values.
class ValuePart : public editstep::Part
{
public:
    ValuePart(std::map<QString, int> &values, const QString &key)
        : m_values(values)
        , m_key(key)
        , m_kept(values[key])
    {
    }
    QString key() const override { return m_key; }
    void swap() override { std::swap(m_values[m_key], m_kept); }
    bool unchanged() const override { return m_values.at(m_key) == m_kept; }
    qint64 size() const override { return sizeof(*this); }
    QStringList refusals() const override { return m_refuse ? QStringList{m_key + " is gone"} : QStringList(); }
    static bool m_refuse;

private:
    std::map<QString, int> &m_values;
    QString m_key;
    int m_kept;
};
bool ValuePart::m_refuse = false;

// A part over a log that keeps what its edits appended, not the log.
class LogPart : public editstep::Part
{
public:
    LogPart(std::vector<int> &log, int value)
        : m_log(log)
    {
        m_log.push_back(value);
        m_added.push_back(value);
    }
    QString key() const override { return "log"; }
    void swap() override
    {
        if (m_undone) {
            m_log.insert(m_log.end(), m_added.begin(), m_added.end());
        } else {
            m_log.resize(m_log.size() - m_added.size());
        }
        m_undone = !m_undone;
    }
    bool unchanged() const override { return m_added.empty(); }
    qint64 size() const override { return qint64(sizeof(*this) + m_added.size() * sizeof(int)); }
    void absorb(editstep::Part &later) override
    {
        auto &l = static_cast<LogPart &>(later);
        m_added.insert(m_added.end(), l.m_added.begin(), l.m_added.end());
        l.m_added.clear();
    }

private:
    std::vector<int> &m_log;
    std::vector<int> m_added;
    bool m_undone = false;
};

struct Fixture
{
    std::map<QString, int> values{{"a", 1}, {"b", 2}, {"kit:3", 3}, {"kits", 4}};
    editstep::Recorder recorder;
    std::vector<std::unique_ptr<editstep::Step>> steps;

    Fixture()
    {
        recorder.setSink([this](std::unique_ptr<editstep::Step> s) { steps.push_back(std::move(s)); });
    }
    void set(const QString &key, int value)
    {
        recorder.touch(key, [this, key] { return std::make_unique<ValuePart>(values, key); });
        values[key] = value;
    }
};

} // namespace

class TestEditStep : public QObject
{
    Q_OBJECT

private slots:
    void nestedEditsMakeOneStep()
    {
        Fixture f;
        {
            const editstep::Recorder::Scope outer(&f.recorder, QString(), QString("run"));
            {
                editstep::Place place;
                place.page = editstep::Place::Pads;
                place.kit = 2;
                const editstep::Recorder::Scope inner(&f.recorder, "inner", "other", place);
                f.set("a", 10);
            }
            const editstep::Recorder::Scope second(&f.recorder, "second");
            f.set("b", 20);
            f.set("a", 11); // kept once, as it was before the step
        }
        QCOMPARE(int(f.steps.size()), 1);
        editstep::Step &s = *f.steps.front();
        QCOMPARE(s.name(), QString("inner"));
        QCOMPARE(s.mergeKey(), QString("run")); // the outermost edit's only
        QCOMPARE(s.place().kit, 2);
        s.undo();
        QCOMPARE(f.values["a"], 1);
        QCOMPARE(f.values["b"], 2);
        s.redo();
        QCOMPARE(f.values["a"], 11);
        QCOMPARE(f.values["b"], 20);
    }

    void nothingChangedNoStep()
    {
        Fixture f;
        {
            const editstep::Recorder::Scope edit(&f.recorder, "same");
            f.set("a", 5);
            f.set("a", 1);
        }
        QVERIFY(f.steps.empty());
        f.set("a", 7); // outside any edit: nothing kept
        QVERIFY(f.steps.empty());
        {
            const editstep::Recorder::Paused paused(&f.recorder);
            const editstep::Recorder::Scope edit(&f.recorder, "paused");
            f.set("a", 8);
        }
        QVERIFY(f.steps.empty());
    }

    void overlappingPartsInTurn()
    {
        Fixture f;
        {
            const editstep::Recorder::Scope edit(&f.recorder, "load");
            f.set("kit:3", 30);
            f.set("kits", 40);
            f.set("kit:3", 31); // covered by the part over all kits
        }
        QCOMPARE(int(f.steps.size()), 1);
        f.steps.front()->undo();
        QCOMPARE(f.values["kit:3"], 3);
        QCOMPARE(f.values["kits"], 4);
        f.steps.front()->redo();
        QCOMPARE(f.values["kit:3"], 31);
        QCOMPARE(f.values["kits"], 40);
    }

    void aRunJoinsItsFirstStep()
    {
        Fixture f;
        for (int v : {5, 6, 7}) {
            const editstep::Recorder::Scope edit(&f.recorder, "run", "key");
            f.set("a", v);
            if (v == 7)
                f.set("b", 70);
        }
        QCOMPARE(int(f.steps.size()), 3);
        f.steps[0]->absorb(*f.steps[1]);
        f.steps[0]->absorb(*f.steps[2]);
        f.steps[0]->undo();
        QCOMPARE(f.values["a"], 1);
        QCOMPARE(f.values["b"], 2);
        f.steps[0]->redo();
        QCOMPARE(f.values["a"], 7);
        QCOMPARE(f.values["b"], 70);
        ValuePart::m_refuse = true;
        QCOMPARE(f.steps[0]->refusals(), QStringList({"a is gone", "b is gone"}));
        ValuePart::m_refuse = false;
    }

    // A run's start is the first step's; a part that keeps each edit's
    // change takes the later step's changes when the run joins.
    void aRunKeepsItsStartAndEveryChange()
    {
        Fixture f;
        std::vector<int> log;
        int shown = 0;
        for (int v : {1, 2}) {
            const editstep::Recorder::Scope edit(&f.recorder, "run", "key");
            f.recorder.touch("log", [&log, v] { return std::make_unique<LogPart>(log, v); });
            const int start = shown;
            f.recorder.setRunStart([&shown, start] { return shown == start; });
            shown = v;
        }
        QCOMPARE(int(f.steps.size()), 2);
        QVERIFY(!f.steps[0]->backAtRunStart());
        f.steps[0]->absorb(*f.steps[1]);
        shown = 0;
        QVERIFY(f.steps[0]->backAtRunStart()); // the start of the first step, not the second's
        QCOMPARE(log, std::vector<int>({1, 2}));
        f.steps[0]->undo();
        QCOMPARE(log, std::vector<int>());
        f.steps[0]->redo();
        QCOMPARE(log, std::vector<int>({1, 2}));
    }
};

QTEST_GUILESS_MAIN(TestEditStep)
#include "test_editstep.moc"
